#pragma once
// The special point viewer: each point's name, properties text, centre and radius.

#include "records/weapons/weapon_records.h"
#include "view/viewer.h"

namespace records {

class frmSPCL : public view::Viewer {
  public:
    explicit frmSPCL(const SpclRecord& record);
    void opened() override;

    view::Field record_size{"Record Size"}, point_count{"# points"};
    view::DropDown points{[this](int i) { point_chosen(i); }, "cboSpecialPoints"};
    view::Field name{"Name"};
    view::Caption properties_caption{"Properties"};
    view::TextBox properties{"txtProperties"};  // several lines, shown as stored
    view::Grid point{{"Point"}, {"X", "Y", "Z"}};
    view::Field radius{"Radius", true};

  private:
    void point_chosen(int i);

    const SpclRecord& record_;
};

}  // namespace records
