#pragma once
// A glow point's position, normal and radius, as the FUEL window shows a thruster's glows and
// the GLOW window a bank's points.

#include "records/docking/docking_records.h"
#include "records/viewer_text.h"
#include "view/controls.h"

namespace records {

struct GlowPointControls {
    view::Grid grid{{"Position", "Normal"}, {"X", "Y", "Z"}};
    view::Field radius{"radius", true};

    GlowPointControls() {
        align_grid(grid);
        align_above(radius);
    }
    void enable(bool enabled) {
        enable_headers(grid, enabled);
        radius.caption.enabled = enabled;
    }
    void blank() {
        blank_column(grid, 0);
        blank_column(grid, 1);
        radius.value.text.clear();
    }
    void show(const GlowPoint& point) {
        show_vec(grid, 0, point.position);
        show_vec(grid, 1, point.normal);
        radius.value.text = pof::float_text(point.radius);
    }
};

}  // namespace records
