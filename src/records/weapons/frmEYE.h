#pragma once
// The eye point viewer: each eye point's subobject, offset and normal.

#include "pof/global_data.h"
#include "view/viewer.h"

namespace records {

class frmEYE : public view::Viewer {
  public:
    explicit frmEYE(const pof::ModelStore& store);
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
