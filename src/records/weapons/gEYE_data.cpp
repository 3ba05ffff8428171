#include "records/table_access.h"
#include "records/weapons/weapon_records.h"

namespace records {

namespace {
constexpr std::int64_t kEyePointBytes = 28;  // subobject number, offset, normal
}  // namespace

void gEYE_data(pof::PofFile& f, std::int32_t chunk_size, EyeRecord& r) {
    r.chunk_size = chunk_size;
    r.point_count = f.count(kEyePointBytes);
    if (!rebuild_if_positive(r.points, r.point_count)) return;
    for (auto& p : r.points) {
        p.subobject = f.i32();
        p.offset = f.vec();
        p.normal = f.vec();
    }
}

}  // namespace records
