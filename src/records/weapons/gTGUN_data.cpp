#include "records/table_access.h"
#include "records/weapons/weapon_records.h"

namespace records {

namespace {
constexpr std::int64_t kTurretBytes = 24;  // two subobject numbers, the normal, the count
constexpr std::int64_t kFiringPointBytes = 12;
}  // namespace

void gTGUN_data(pof::PofFile& f, std::int32_t chunk_size, TurretRecord& r) {
    r.chunk_size = chunk_size;
    r.bank_count = f.count(kTurretBytes);
    if (!rebuild_if_positive(r.turrets, r.bank_count)) return;
    rebuild_if_positive(r.firing_points, r.bank_count);
    for (std::int32_t b = 0; b < r.bank_count; ++b) {
        Turret& t = r.turrets[b];
        t.parent = f.i32();
        t.physical_parent = f.i32();
        t.normal = f.vec();
        t.firing_point_count = f.count(kFiringPointBytes);
        for (auto& p : r.firing_points.fill(b, t.firing_point_count)) p = f.vec();
    }
}

}  // namespace records
