#include "records/docking/frmDOCK.h"

#include "records/table_access.h"
#include "records/viewer_text.h"

namespace records {

using pof::integer_text;

frmDOCK::frmDOCK(const DockRecord& record) : Viewer("frmDOCK", "DOCK record"), record_(record) {
    for (auto* f : {&record_size, &dock_count, &properties, &spline_count, &point_count}) {
        align_beside(*f);
    }
    align_above(path_number);
    align_grid(point);
    properties.value.lines = 3;
    properties.value.name = "lblProperties";
    path_number.value.name = "lblPathNumber";
    group(spline_group, {row({column({&spline_count, &splines}), &path_number})});
    group(point_group, {row({column({&point_count, &points}), &point})});
    group(dock_group, {&properties, &spline_group, &point_group});
    set_layout(column({row({&record_size, column({&dock_count, &docks})}), &dock_group}));
}

void frmDOCK::opened() {
    const DockRecord& r = record_;
    record_size.value.text = integer_text(r.chunk_size);
    blank_all();
    dock_count.value.text = integer_text(r.dock_count);
    if (!offer_rows(docks, "Dock ", r.dock_count, r.dock_rows())) {
        set_enabled({&properties.caption, &spline_count.caption, &path_number.caption,
                     &point_count.caption, &splines, &points},
                    false);
        enable_headers(point, false);
    }
}

void frmDOCK::blank_all() {
    docks.clear();
    splines.clear();
    points.clear();
    dock_group.caption.clear();
    blank({&properties.value, &spline_count.value, &path_number.value, &point_count.value});
    blank_column(point, 0);
    blank_column(point, 1);
}

void frmDOCK::dock_chosen(int d) {
    const DockRecord& r = record_;
    dock_group.caption = "Dock " + integer_text(d) + " data";
    properties.value.text = pof::text8(entry_or_zero(r.properties, d).text);

    const std::int32_t paths = entry_or_zero(r.spline_path_counts, d);
    spline_count.value.text = integer_text(paths);
    path_number.caption.enabled = true;
    if (!offer_rows(splines, "Spline path ", paths, r.spline_path_rows(d))) {
        path_number.caption.enabled = false;
        path_number.value.text.clear();
    }

    const std::int32_t count = entry_or_zero(r.point_counts, d);
    point_count.value.text = integer_text(count);
    enable_headers(point, true);
    if (!offer_rows(points, "Point ", count, r.point_rows(d))) {
        enable_headers(point, false);
        blank_column(point, 0);
        blank_column(point, 1);
    }
}

void frmDOCK::spline_chosen(int j) {
    path_number.value.text = integer_text(record_.spline_paths.at(docks.selected, j));
}

void frmDOCK::point_chosen(int p) {
    const DockPoint at = record_.points.at(docks.selected, p);
    show_vec(point, 0, at.position);
    show_vec(point, 1, at.normal);
}

}  // namespace records
