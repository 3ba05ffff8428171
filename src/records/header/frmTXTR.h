#pragma once
// The texture viewer: the texture names with their indices.

#include "records/header/header_records.h"
#include "view/viewer.h"

namespace records {

class frmTXTR : public view::Viewer {
  public:
    explicit frmTXTR(const TxtrRecord& record);
    void opened() override;

    view::Field record_size{"Record Size"}, texture_count{"# textures"};
    view::Table textures{{{"Texture Name", view::Table::Width::HalfOfList}, {"Index"}},
                         "ListView1"};

  private:
    const TxtrRecord& record_;
};

}  // namespace records
