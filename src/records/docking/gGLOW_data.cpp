#include "records/docking/docking_records.h"
#include "records/jagged.h"
#include "records/prefixed_text.h"

namespace records {

namespace {

// Six timing and placement fields, the point count and the properties length.
constexpr std::int64_t kBankBytes = 32;

void read_bank(pof::PofFile& f, GlowRecord& r, std::int32_t b) {
    GlowBank& bank = r.banks[b];
    bank.display_time = f.i32();
    bank.on_time = f.i32();
    bank.off_time = f.i32();
    bank.parent = f.i32();
    bank.lod = f.i32();
    bank.type = f.i32();
    bank.point_count = f.count(kGlowPointBytes);
    bank.properties = read_prefixed_text(f);
    for (auto& point : r.points.fill(b, bank.point_count)) read_glow_point(f, point);
}

}  // namespace

void gGLOW_data(pof::PofFile& f, std::int32_t chunk_size, GlowRecord& r) {
    r.chunk_size = chunk_size;
    r.bank_count = f.count(kBankBytes);
    if (!rebuild_all_if_positive(r.bank_count, r.banks, r.points)) return;
    for (std::int32_t b = 0; b < r.bank_count; ++b) read_bank(f, r, b);
}

}  // namespace records
