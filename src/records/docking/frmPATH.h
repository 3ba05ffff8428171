#pragma once
// The PATH viewer: paths with their name and parent, vertices, and each vertex's turrets.

#include "records/docking/docking_records.h"
#include "view/viewer.h"

namespace records {

class frmPATH : public view::Viewer {
  public:
    explicit frmPATH(const PathRecord& record);
    void opened() override;

    view::Field record_size{"Record Size"}, path_count{"# paths"};
    view::DropDown paths{[this](int p) { path_chosen(p); }, "cboPaths"};
    view::Group path_group{""};
    view::Field name{"Name"}, parent{"Parent"}, vertex_count{"# vertices"};
    view::DropDown vertices{[this](int v) { vertex_chosen(v); }, "cboVertices"};

    view::Group vertex_group{""};
    view::Grid position{{"Position"}, {"X", "Y", "Z"}};
    view::Field radius{"Radius", true}, turret_count{"# turrets"};
    view::DropDown turrets{[this](int t) { turret_chosen(t); }, "cboTurrets"};
    view::Field subobject{"subObject #", true};

  private:
    void blank_vertex();
    void path_chosen(int p);
    void vertex_chosen(int v);
    void turret_chosen(int t);

    const PathRecord& record_;
};

}  // namespace records
