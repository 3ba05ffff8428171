#include "records/docking/docking_records.h"
#include "records/jagged.h"
#include "records/prefixed_text.h"

namespace records {

namespace {

// Detail level, face count, vertex count and offset.
constexpr std::int64_t kLeastInsigniaBytes = 24;
constexpr std::int64_t kVertexBytes = 12;
// Three corners of vertex index, U and V.
constexpr std::int64_t kFaceBytes = 36;

// The face count comes before the vertex count, the faces after the vertices and the offset.
void read_insignia(pof::PofFile& f, InsgRecord& r, std::int32_t i) {
    r.detail_levels[i] = f.i32();
    r.face_counts[i] = f.count(kFaceBytes);
    r.vertex_counts[i] = f.count(kVertexBytes);
    for (auto& vertex : r.vertices.fill(i, r.vertex_counts[i])) vertex = f.vec();
    r.offsets[i] = f.vec();
    for (auto& face : r.faces.fill(i, r.face_counts[i])) {
        for (auto& corner : face) {
            corner.vertex = f.i32();
            corner.u = f.f32();
            corner.v = f.f32();
        }
    }
}

}  // namespace

void gINSG_data(pof::PofFile& f, std::int32_t chunk_size, InsgRecord& r) {
    r.chunk_size = chunk_size;
    r.insignia_count = f.count(kLeastInsigniaBytes);
    if (!rebuild_all_if_positive(r.insignia_count, r.detail_levels, r.face_counts, r.vertex_counts,
                                 r.offsets, r.vertices, r.faces)) {
        return;
    }
    for (std::int32_t i = 0; i < r.insignia_count; ++i) read_insignia(f, r, i);
}

}  // namespace records
