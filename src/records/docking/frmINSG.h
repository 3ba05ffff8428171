#pragma once
// The INSG viewer: insignias with their detail level, offset, vertices and faces.

#include "records/docking/docking_records.h"
#include "view/viewer.h"

namespace records {

class frmINSG : public view::Viewer {
  public:
    explicit frmINSG(const InsgRecord& record);
    void opened() override;

    view::Field record_size{"Record Size"}, insignia_count{"# insignias"};
    view::DropDown insignias{[this](int i) { insignia_chosen(i); }, "cboInsignias"};
    view::Group insignia_group{""};
    view::Field detail_level{"detail level"}, vertex_count{"# vertices"};
    view::DropDown vertices{[this](int k) { vertex_chosen(k); }, "cboVertices"};
    view::Grid offset{{"Offset"}, {"X", "Y", "Z"}};
    view::Grid vertex{{"Vertex Position"}, {"X", "Y", "Z"}};
    view::Field face_count{"# faces"};
    view::DropDown faces{[this](int f) { face_chosen(f); }, "cboFaces"};
    view::Group face_group{""};
    view::Grid corners{{"Vertex Index", "U Coordinate", "V Coordinate"}, {"0", "1", "2"}};

  private:
    void enable_face_group(bool enabled);
    void blank_corners();
    void show_vertices(int i);
    void show_faces(int i);
    void insignia_chosen(int i);
    void vertex_chosen(int k);
    void face_chosen(int f);

    const InsgRecord& record_;
};

}  // namespace records
