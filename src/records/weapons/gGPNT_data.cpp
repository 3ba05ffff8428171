#include "records/table_access.h"
#include "records/weapons/weapon_records.h"

namespace records {

namespace {
constexpr std::int64_t kBankBytes = 4;    // a bank's point count
constexpr std::int64_t kPointBytes = 24;  // position and normal
}  // namespace

void gGPNT_data(pof::PofFile& f, std::int32_t chunk_size, WeaponPointRecord& r) {
    r.chunk_size = chunk_size;
    r.bank_count = f.count(kBankBytes);
    if (!rebuild_if_positive(r.point_counts, r.bank_count)) return;
    rebuild_if_positive(r.points, r.bank_count);
    for (std::int32_t b = 0; b < r.bank_count; ++b) {
        r.point_counts[b] = f.count(kPointBytes);
        for (auto& p : r.points.fill(b, r.point_counts[b])) {
            p.position = f.vec();
            p.normal = f.vec();
        }
    }
}

}  // namespace records
