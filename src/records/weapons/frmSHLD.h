#pragma once
// The shield mesh viewer: vertices and faces, each list on its own, as stored numbers.

#include "records/weapons/weapon_records.h"
#include "view/viewer.h"

namespace records {

class frmSHLD : public view::Viewer {
  public:
    explicit frmSHLD(const ShldRecord& record);
    void opened() override;

    view::Field record_size{"Record Size"};
    view::Field vertex_count{"# vertex's"};
    view::DropDown vertices{[this](int v) { vertex_chosen(v); }, "cboVertices"};
    view::Group vertex{"Vertex Position"};
    view::Field x{"X"}, y{"Y"}, z{"Z"};

    view::Field face_count{"# faces"};
    view::DropDown faces{[this](int f) { face_chosen(f); }, "cboFaces"};
    view::Group face{""};
    view::Grid face_normal{{"Face Normal"}, {"X", "Y", "Z"}};
    view::Grid corners{{"Vertex Index", "Neighbors (Face Index)"}, {"0", "1", "2"}};

  private:
    void blank_values();
    void show_vertices();
    void show_faces();
    void vertex_chosen(int v);
    void face_chosen(int f);

    const ShldRecord& record_;
};

}  // namespace records
