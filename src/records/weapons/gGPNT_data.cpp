#include "records/table_access.h"
#include "records/versions.h"
#include "records/weapons/weapon_records.h"

namespace records {

namespace {
constexpr std::int64_t kBankBytes = 4;    // a bank's point count
constexpr std::int64_t kPointBytes = 24;  // position and normal
constexpr std::int64_t kAngleBytes = 4;   // the angle offset after the normal
}  // namespace

void gGPNT_data(pof::PofFile& f, std::int32_t chunk_size, std::int32_t file_version,
                WeaponPointRecord& r) {
    r.chunk_size = chunk_size;
    r.angle_offsets = has_angle_offsets(file_version);
    const std::int64_t point_bytes = kPointBytes + (r.angle_offsets ? kAngleBytes : 0);
    r.bank_count = f.count(kBankBytes);
    if (!rebuild_if_positive(r.point_counts, r.bank_count)) return;
    rebuild_if_positive(r.points, r.bank_count);
    for (std::int32_t b = 0; b < r.bank_count; ++b) {
        r.point_counts[b] = f.count(point_bytes);
        for (auto& p : r.points.fill(b, r.point_counts[b])) {
            p.position = f.vec();
            p.normal = f.vec();
            if (r.angle_offsets) p.angle_offset = f.f32();
        }
    }
}

}  // namespace records
