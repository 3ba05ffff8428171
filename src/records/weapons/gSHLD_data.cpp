#include "records/table_access.h"
#include "records/weapons/weapon_records.h"

namespace records {

namespace {

constexpr std::int64_t kVertexBytes = 12;
constexpr std::int64_t kFaceBytes = 36;  // normal, three corners, three neighbours

void read_three(pof::PofFile& f, std::array<std::int32_t, 3>& out) {
    for (auto& n : out) n = f.i32();
}

}  // namespace

// The face count follows the vertices whatever the vertex count was; nothing after the
// faces belongs to this chunk.
void gSHLD_data(pof::PofFile& f, std::int32_t chunk_size, ShldRecord& r) {
    r.chunk_size = chunk_size;
    r.vertex_count = f.count(kVertexBytes);
    if (rebuild_if_positive(r.vertices, r.vertex_count)) {
        for (auto& v : r.vertices) v = f.vec();
    }
    r.face_count = f.count(kFaceBytes);
    if (!rebuild_if_positive(r.faces, r.face_count)) return;
    for (auto& face : r.faces) {
        face.normal = f.vec();
        read_three(f, face.vertices);
        read_three(f, face.neighbours);
    }
}

}  // namespace records
