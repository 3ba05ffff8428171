#pragma once
// The eye point viewer: each eye point's subobject, offset and normal.

#include "records/weapons/weapon_records.h"
#include "view/viewer.h"

namespace records {

class frmEYE : public view::Viewer {
  public:
    explicit frmEYE(const EyeRecord& record);
    void opened() override;

    view::Field record_size{"Record Size"}, point_count{"# eye points"};
    view::DropDown points{[this](int i) { point_chosen(i); }, "cboEyePoints"};
    view::Field subobject{"Attached to subObject #"};
    view::Grid offset_normal{{"subObject offset", "Normal"}, {"X", "Y", "Z"}};

  private:
    void point_chosen(int i);

    const EyeRecord& record_;
};

}  // namespace records
