#include "records/header/header_records.h"
#include "records/table_access.h"
#include "records/versions.h"

namespace records {

namespace {

void read_leading_fields(pof::PofFile& f, std::int32_t version, OhdrRecord& h) {
    if (version < kHeaderNewOrder) {
        h.subobject_count = f.i32();
        h.max_radius = f.f32();
        h.object_flags = f.i32();
    } else {
        h.max_radius = f.f32();
        h.object_flags = f.i32();
        h.subobject_count = f.i32();
    }
}

void read_int_table(pof::PofFile& f, std::int32_t& count, std::vector<std::int32_t>& table) {
    const std::int32_t n = f.count(4);
    count = n;
    if (!rebuild_if_positive(table, n)) return;
    for (auto& v : table) v = f.i32();
}

void read_mass_properties(pof::PofFile& f, OhdrRecord& h) {
    h.mass = f.f32();
    h.center_of_mass = f.vec();
    for (int k = 0; k < 9; ++k) h.inertia[k / 3][k % 3] = f.f32();
}

void read_cross_sections(pof::PofFile& f, OhdrRecord& h) {
    const std::int32_t n = f.count(8);
    h.cross_section_count = n;
    if (!rebuild_if_positive(h.cross_section_depths, n)) return;
    rebuild_if_positive(h.cross_section_radii, n);
    for (std::int32_t i = 0; i < n; ++i) {
        h.cross_section_depths[i] = f.f32();
        h.cross_section_radii[i] = f.f32();
    }
}

void read_lights(pof::PofFile& f, OhdrRecord& h) {
    const std::int32_t n = f.count(16);
    h.light_count = n;
    if (!rebuild_if_positive(h.light_locations, n)) return;
    rebuild_if_positive(h.light_types, n);
    for (std::int32_t i = 0; i < n; ++i) {
        h.light_locations[i] = f.vec();
        h.light_types[i] = f.i32();
    }
}

}  // namespace

void gOHDR_data(pof::PofFile& f, std::int32_t chunk_size, ReadState& state, OhdrRecord& h,
                SubobjectTable& subobjects) {
    const std::int32_t version = state.file_version;
    h.chunk_size = chunk_size;
    read_leading_fields(f, version, h);
    subobjects.create(h.subobject_count);
    state.header_read = true;
    h.bbox_min = f.vec();
    h.bbox_max = f.vec();
    read_int_table(f, h.detail_level_count, h.detail_levels);
    read_int_table(f, h.debris_count, h.debris_pieces);
    if (version >= kMassProperties) read_mass_properties(f, h);
    if (version >= kCrossSections) read_cross_sections(f, h);
    if (version >= kLights) read_lights(f, h);
}

}  // namespace records
