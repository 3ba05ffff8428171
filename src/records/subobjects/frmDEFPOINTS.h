#pragma once
// The vertex block viewer: a DEFPOINTS block's header values and, vertex by vertex, its
// position and normals. It decodes the whole block when it is made.

#include <cstdint>
#include <vector>

#include "io/vec.h"
#include "records/subobjects/block_viewer.h"

namespace records {

class frmDEFPOINTS : public BlockViewer {
  public:
    explicit frmDEFPOINTS(const SubobjectContext& context);
    // Decodes the current block; run again, it shows the block that is current then.
    void opened() override;

    view::Field normal_total{"# Normals"}, data_offset{"Data Offset"}, vertex_count{"# Vertices"};
    view::DropDown vertices{[this](int v) { vertex_chosen(v); }, "cboVertices"};
    view::Group vertex_group{"frame1"};
    view::Grid position{{"Position"}, {"X", "Y", "Z"}};
    view::Field normal_count{"# normals"};
    view::DropDown normals{[this](int n) { normal_chosen(n); }, "cboNormals"};
    view::Group normal_group{"frame2"};
    view::Field normal_x{"X"}, normal_y{"Y"}, normal_z{"Z"};

  private:
    struct Vertex {
        std::uint8_t normal_count = 0;
        pof::Vec3 position;
        std::vector<pof::Vec3> normals;
    };

    void read_vertices(std::int32_t count);
    pof::Vec3 vec_at(std::int64_t at) const;
    void enable_vertex_parts(bool enabled);
    void vertex_chosen(int v);
    void normal_chosen(int n);
    void blank_normal();

    std::vector<Vertex> table_;
};

}  // namespace records
