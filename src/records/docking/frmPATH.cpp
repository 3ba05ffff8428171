#include "records/docking/frmPATH.h"

#include "records/table_access.h"
#include "records/viewer_text.h"

namespace records {

using pof::integer_text;

frmPATH::frmPATH(const PathRecord& record) : Viewer("frmPATH", "PATH record"), record_(record) {
    for (auto* f : {&record_size, &path_count, &name, &parent, &vertex_count, &turret_count}) {
        align_beside(*f);
    }
    align_grid(position);
    align_above(radius);
    align_above(subobject);
    group(vertex_group,
          {row({&position, &radius}), row({column({&turret_count, &turrets}), &subobject})});
    group(path_group, {&name, &parent, row({column({&vertex_count, &vertices}), &vertex_group})});
    set_layout(column({row({&record_size, column({&path_count, &paths})}), &path_group}));
}

void frmPATH::opened() {
    const PathRecord& r = record_;
    record_size.value.text = integer_text(r.chunk_size);
    paths.clear();
    vertices.clear();
    path_group.caption.clear();
    blank({&path_count.value, &name.value, &parent.value, &vertex_count.value});
    blank_vertex();
    path_count.value.text = integer_text(r.path_count);
    if (!offer_rows(paths, "Path ", r.path_count, r.path_rows())) {
        path_group.enabled = false;
    }
}

void frmPATH::blank_vertex() {
    vertex_group.caption.clear();
    blank_column(position, 0);
    blank({&radius.value, &turret_count.value, &subobject.value});
    turrets.clear();
}

void frmPATH::path_chosen(int p) {
    const PathRecord& r = record_;
    path_group.caption = "Path " + integer_text(p) + " data";
    name.value.text = pof::text8(entry_or_zero(r.names, p).text);
    parent.value.text = pof::text8(entry_or_zero(r.parents, p).text);
    const std::int32_t count = entry_or_zero(r.vertex_counts, p);
    vertex_count.value.text = integer_text(count);
    set_enabled({&vertex_group, &radius.caption, &turret_count.caption}, true);
    enable_headers(position, true);
    if (!offer_rows(vertices, "Vertex ", count, r.vertex_rows(p))) {
        set_enabled(
            {&vertex_group, &radius.caption, &turret_count.caption, &subobject.caption, &turrets},
            false);
        enable_headers(position, false);
        blank_vertex();
    }
}

void frmPATH::vertex_chosen(int v) {
    const PathRecord& r = record_;
    const int p = paths.selected;
    const PathVertex at = r.vertices.at(p, v);
    vertex_group.caption = "Vertex " + integer_text(v) + " data";
    show_vec(position, 0, at.position);
    radius.value.text = pof::float_text(at.radius);
    turret_count.value.text = integer_text(at.turret_count);
    subobject.caption.enabled = true;
    if (!offer_rows(turrets, "Turret ", at.turret_count, r.turret_rows(p, v))) {
        subobject.caption.enabled = false;
        subobject.value.text.clear();
    }
}

void frmPATH::turret_chosen(int t) {
    subobject.value.text = integer_text(record_.turret(paths.selected, vertices.selected, t));
}

}  // namespace records
