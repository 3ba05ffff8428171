#include "records/docking/docking_records.h"
#include "records/jagged.h"
#include "records/prefixed_text.h"
#include "records/versions.h"

namespace records {

namespace {

void read_thruster(pof::PofFile& f, FuelRecord& r, std::int32_t t, bool has_properties) {
    r.glow_counts[t] = f.count(kGlowPointBytes);
    if (has_properties) r.properties[t] = read_prefixed_text(f);
    for (auto& glow : r.glows.fill(t, r.glow_counts[t])) read_glow_point(f, glow);
}

}  // namespace

void read_glow_point(pof::PofFile& f, GlowPoint& point) {
    point.position = f.vec();
    point.normal = f.vec();
    point.radius = f.f32();
}

void gFUEL_data(pof::PofFile& f, std::int32_t chunk_size, std::int32_t file_version,
                FuelRecord& r) {
    r.chunk_size = chunk_size;
    const bool has_properties = file_version >= kThrusterProperties;
    // Every thruster takes at least its glow count, and its property length where it has one.
    r.thruster_count = f.count(has_properties ? 8 : 4);
    if (!rebuild_all_if_positive(r.thruster_count, r.glow_counts, r.properties, r.glows)) return;
    for (std::int32_t t = 0; t < r.thruster_count; ++t) read_thruster(f, r, t, has_properties);
}

}  // namespace records
