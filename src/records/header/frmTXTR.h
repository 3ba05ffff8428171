#pragma once
// The texture viewer: the texture names with their indices.

#include "pof/global_data.h"
#include "view/viewer.h"

namespace records {

class frmTXTR : public view::Viewer {
  public:
    explicit frmTXTR(const pof::ModelStore& store);
    void opened() override;

    view::Field record_size{"Record Size"}, texture_count{"# textures"};
    view::Table textures{{{"Texture Name", view::Table::Width::HalfOfList}, {"Index"}},
                         "ListView1"};

  private:
    const pof::ModelStore& store_;
};

// The PINF viewer: the production info text, line feeds shown as line breaks.
class frmPINF : public view::Viewer {
  public:
    explicit frmPINF(const pof::ModelStore& store);
    void opened() override;

    view::Field record_size{"Record Size"};
    view::TextBox info{"Label2"};

  private:
    const pof::ModelStore& store_;
};

// Each line feed becomes a carriage return and a line feed; every other byte passes as it is.
std::string pinf_display_bytes(std::string_view info);

// The ACEN viewer: the auto-centre point.
class frmACEN : public view::Viewer {
  public:
    explicit frmACEN(const pof::ModelStore& store);
    void opened() override;

    view::Field record_size{"Record Size"};
    view::Caption heading{"Auto-Center"};
    view::Field x{"X"}, y{"Y"}, z{"Z"};

  private:
    const pof::ModelStore& store_;
};

}  // namespace records
