#include "records/header/frmOHDR.h"

#include "records/table_access.h"
#include "records/versions.h"
#include "records/viewer_text.h"

namespace records {

using pof::float_text;
using pof::integer_text;

frmOHDR::frmOHDR(const OhdrRecord& record, const ReadState& state)
    : Viewer("frmOHDR", "OHDR record"), record_(record), state_(state) {
    group(bounding_box, {&bbox, &max_radius});
    group(inertia_group, {&inertia});
    group(mass_group, {row({column({&mass, &center}), &inertia_group})});
    group(lights_group, {&light_count, &lights, &light_type, &location});
    group(sections_group, {&section_count, &sections, &radius, &depth});
    set_layout(column({
        row({column({&record_size, &subobjects, &detail_levels, &debris, &flags, &version}),
             &bounding_box}),
        &mass_group,
        row({&lights_group, &sections_group}),
    }));
}

void frmOHDR::opened() {
    blank_lists();
    show_scalars();
    show_mass_properties();
    show_cross_sections();
    show_lights();
}

void frmOHDR::shown() {
    if (state_.file_version >= kHeaderNewOrder) title = "HDR2 record data";
}

void frmOHDR::blank_lists() {
    section_count.value.text.clear();
    sections.clear();
    depth.value.text.clear();
    radius.value.text.clear();
    light_count.value.text.clear();
    lights.clear();
    blank_column(location, 0);
    light_type.value.text.clear();
}

void frmOHDR::show_scalars() {
    const auto& h = record_;
    record_size.value.text = integer_text(h.chunk_size);
    version.value.text = integer_text(state_.file_version);
    subobjects.value.text = integer_text(h.subobject_count);
    detail_levels.value.text = integer_text(h.detail_level_count);
    debris.value.text = integer_text(h.debris_count);
    flags.value.text = integer_text(h.object_flags);
    show_vec(bbox, 0, h.bbox_min);
    show_vec(bbox, 1, h.bbox_max);
    max_radius.value.text = float_text(h.max_radius);
}

void frmOHDR::show_mass_properties() {
    const auto& h = record_;
    const bool present = state_.file_version >= kMassProperties;
    mass.value.text = present ? float_text(h.mass) : "";
    if (present) {
        show_vec(center, 0, h.center_of_mass);
    } else {
        blank_column(center, 0);
    }
    for (std::size_t r = 0; r < 3; ++r) {
        for (std::size_t c = 0; c < 3; ++c) {
            inertia.cell(r, c).text = present ? float_text(h.inertia[r][c]) : "";
        }
    }
}

void frmOHDR::show_cross_sections() {
    const bool present = state_.file_version >= kCrossSections;
    sections_group.enabled = section_count.caption.enabled = present;
    depth.caption.enabled = radius.caption.enabled = sections.enabled = present;
    if (!present) return;
    const auto& h = record_;
    section_count.value.text = integer_text(h.cross_section_count);
    const int n = h.cross_section_rows();
    if (n > 0) {
        fill_numbered(sections, "Cross Section ", n);
        sections.choose(0);
    } else {
        depth.caption.enabled = radius.caption.enabled = false;
    }
    if (h.cross_section_count < 2) sections.enabled = false;
}

void frmOHDR::show_lights() {
    const bool present = state_.file_version >= kLights;
    lights_group.enabled = light_count.caption.enabled = lights.enabled = present;
    light_type.caption.enabled = present;
    enable_headers(location, present);
    if (!present) return;
    const auto& h = record_;
    light_count.value.text = integer_text(h.light_count);
    const int n = h.light_rows();
    if (n > 0) {
        fill_numbered(lights, "Light ", n);
        lights.choose(0);
    } else {
        light_type.caption.enabled = false;
        enable_headers(location, false);
    }
    if (h.light_count < 2) lights.enabled = false;
}

void frmOHDR::section_chosen(int i) {
    if (state_.file_version < kCrossSections) return;
    depth.value.text = float_text(entry_or_zero(record_.cross_section_depths, i));
    radius.value.text = float_text(entry_or_zero(record_.cross_section_radii, i));
}

void frmOHDR::light_chosen(int i) {
    if (state_.file_version < kLights) return;
    show_vec(location, 0, entry_or_zero(record_.light_locations, i));
    light_type.value.text = integer_text(entry_or_zero(record_.light_types, i));
}

}  // namespace records
