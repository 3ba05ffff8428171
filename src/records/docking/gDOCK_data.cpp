#include "records/docking/docking_records.h"
#include "records/jagged.h"
#include "records/prefixed_text.h"

namespace records {

namespace {

// Every dock takes at least its property length, path count and point count.
constexpr std::int64_t kLeastDockBytes = 12;
constexpr std::int64_t kPointBytes = 24;

void read_dock(pof::PofFile& f, DockRecord& r, std::int32_t d) {
    r.properties[d] = read_prefixed_text(f);
    r.spline_path_counts[d] = f.count(4);
    for (auto& path : r.spline_paths.fill(d, r.spline_path_counts[d])) path = f.i32();
    r.point_counts[d] = f.count(kPointBytes);
    for (auto& point : r.points.fill(d, r.point_counts[d])) {
        point.position = f.vec();
        point.normal = f.vec();
    }
}

}  // namespace

void gDOCK_data(pof::PofFile& f, std::int32_t chunk_size, DockRecord& r) {
    r.chunk_size = chunk_size;
    r.dock_count = f.count(kLeastDockBytes);
    if (!rebuild_all_if_positive(r.dock_count, r.properties, r.spline_path_counts, r.point_counts,
                                 r.spline_paths, r.points)) {
        return;
    }
    for (std::int32_t d = 0; d < r.dock_count; ++d) read_dock(f, r, d);
}

}  // namespace records
