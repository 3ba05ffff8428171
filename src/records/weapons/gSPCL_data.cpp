#include "records/prefixed_text.h"
#include "records/table_access.h"
#include "records/weapons/weapon_records.h"

namespace records {

namespace {

// Two text lengths, the point and the radius, with texts of length zero.
constexpr std::int64_t kSpecialPointBytes = 24;

}  // namespace

void gSPCL_data(pof::PofFile& f, std::int32_t chunk_size, SpclRecord& r) {
    r.chunk_size = chunk_size;
    r.point_count = f.count(kSpecialPointBytes);
    if (!rebuild_if_positive(r.points, r.point_count)) return;
    for (auto& p : r.points) {
        p.name = read_prefixed_text(f);
        p.properties = read_prefixed_text(f);
        p.point = f.vec();
        p.radius = f.f32();
    }
}

}  // namespace records
