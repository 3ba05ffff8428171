#include "records/docking/frmFUEL.h"

#include "records/table_access.h"
#include "records/versions.h"
#include "records/viewer_text.h"

namespace records {

using pof::integer_text;

frmFUEL::frmFUEL(const FuelRecord& record, const ReadState& state)
    : Viewer("frmFUEL", "FUEL record"), record_(record), state_(state) {
    for (auto* f : {&record_size, &thruster_count, &properties, &glow_count}) align_beside(*f);
    properties.value.lines = 2;
    group(version_group, {&properties});
    group(glow_group, {&glow.grid, &glow.radius});
    group(thruster_group, {&version_group, row({column({&glow_count, &glows}), &glow_group})});
    set_layout(
        column({row({&record_size, column({&thruster_count, &thrusters})}), &thruster_group}));
}

void frmFUEL::opened() {
    const FuelRecord& r = record_;
    record_size.value.text = integer_text(r.chunk_size);
    thrusters.clear();
    glows.clear();
    blank({&properties.value, &glow_count.value});
    glow_group.caption.clear();
    glow.blank();
    thruster_count.value.text = integer_text(r.thruster_count);
    if (!offer_rows(thrusters, "Thruster ", r.thruster_count, r.thruster_rows())) {
        thruster_group.caption.clear();
        set_enabled({&version_group, &properties.caption, &glow_count.caption, &glows}, false);
        glow.enable(false);
    }
}

void frmFUEL::thruster_chosen(int t) {
    const FuelRecord& r = record_;
    thruster_group.caption = "Thruster " + integer_text(t) + " data";
    if (state_.file_version < kThrusterProperties) {
        set_enabled({&properties.caption, &version_group}, false);
    } else {
        properties.value.text = pof::text8(entry_or_zero(r.properties, t).text);
    }
    const std::int32_t count = entry_or_zero(r.glow_counts, t);
    glow_count.value.text = integer_text(count);
    glow.enable(true);
    if (!offer_rows(glows, "Glow ", count, r.glow_rows(t))) {
        glow.enable(false);
        glow.blank();
    }
}

void frmFUEL::glow_chosen(int g) {
    glow.show(record_.glows.at(thrusters.selected, g));
}

}  // namespace records
