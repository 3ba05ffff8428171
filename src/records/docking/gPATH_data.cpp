#include "records/docking/docking_records.h"
#include "records/jagged.h"
#include "records/prefixed_text.h"

namespace records {

namespace {

// Every path takes at least its name length, parent length and vertex count.
constexpr std::int64_t kLeastPathBytes = 12;
// Position, radius and turret count.
constexpr std::int64_t kLeastVertexBytes = 20;

void read_vertices(pof::PofFile& f, PathRecord& r, std::int32_t p) {
    const std::int32_t n = r.vertex_counts[p] = f.count(kLeastVertexBytes);
    auto& vertices = r.vertices.fill(p, n);
    Jagged<std::int32_t>& turrets = r.turrets[p];
    turrets.reset(n);
    for (std::int32_t v = 0; v < n; ++v) {
        PathVertex& vertex = vertices[v];
        vertex.position = f.vec();
        vertex.radius = f.f32();
        vertex.turret_count = f.count(4);
        for (auto& subobject : turrets.fill(v, vertex.turret_count)) subobject = f.i32();
    }
}

}  // namespace

void gPATH_data(pof::PofFile& f, std::int32_t chunk_size, PathRecord& r) {
    r.chunk_size = chunk_size;
    r.path_count = f.count(kLeastPathBytes);
    if (!rebuild_all_if_positive(r.path_count, r.names, r.parents, r.vertex_counts, r.vertices,
                                 r.turrets)) {
        return;
    }
    for (std::int32_t p = 0; p < r.path_count; ++p) {
        r.names[p] = read_prefixed_text(f);
        r.parents[p] = read_prefixed_text(f);
        read_vertices(f, r, p);
    }
}

}  // namespace records
