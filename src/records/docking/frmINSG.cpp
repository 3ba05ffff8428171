#include "records/docking/frmINSG.h"

#include "records/table_access.h"
#include "records/viewer_text.h"

namespace records {

using pof::integer_text;

frmINSG::frmINSG(const InsgRecord& record)
    : Viewer("frmINSG", "INSG record data"), record_(record) {
    for (auto* f : {&record_size, &insignia_count, &detail_level, &vertex_count, &face_count}) {
        align_beside(*f);
    }
    for (auto* g : {&offset, &vertex, &corners}) align_grid(*g);
    offset.item_value = true;  // the insignia's, beside its vertex
    group(face_group, {&corners});
    group(insignia_group, {row({&detail_level, column({&vertex_count, &vertices})}),
                           row({&offset, &vertex}), &face_count, &faces, &face_group});
    set_layout(
        column({row({&record_size, column({&insignia_count, &insignias})}), &insignia_group}));
}

// Values no insignia has filled stay blank, the detail level and vertex count included.
void frmINSG::opened() {
    const InsgRecord& r = record_;
    record_size.value.text = integer_text(r.chunk_size);
    insignias.clear();
    vertices.clear();
    faces.clear();
    insignia_group.enabled = vertices.enabled = true;
    insignia_group.caption.clear();
    enable_headers(vertex, true);
    blank({&detail_level.value, &vertex_count.value, &face_count.value});
    blank_column(vertex, 0);
    blank_column(offset, 0);
    enable_face_group(true);
    blank_corners();
    insignia_count.value.text = integer_text(r.insignia_count);
    offer_rows(insignias, "Insignia ", r.insignia_count, r.insignia_rows());
}

void frmINSG::enable_face_group(bool enabled) {
    face_group.enabled = enabled;
    for (auto& c : corners.columns) c->enabled = enabled;
}

void frmINSG::blank_corners() {
    face_group.caption.clear();
    for (std::size_t c = 0; c < 3; ++c) blank_column(corners, c);
}

void frmINSG::insignia_chosen(int i) {
    const InsgRecord& r = record_;
    insignia_group.caption = insignias.selected_text() + " data";
    detail_level.value.text = integer_text(entry_or_zero(r.detail_levels, i));
    show_vec(offset, 0, entry_or_zero(r.offsets, i));
    show_vertices(i);
    show_faces(i);
}

void frmINSG::show_vertices(int i) {
    const InsgRecord& r = record_;
    const std::int32_t count = entry_or_zero(r.vertex_counts, i);
    vertex_count.value.text = integer_text(count);
    enable_headers(vertex, true);
    if (!offer_rows(vertices, "Vertex ", count, r.vertex_rows(i))) {
        enable_headers(vertex, false);
        blank_column(vertex, 0);
    }
}

void frmINSG::show_faces(int i) {
    const InsgRecord& r = record_;
    const std::int32_t count = entry_or_zero(r.face_counts, i);
    face_count.value.text = integer_text(count);
    blank_corners();
    enable_face_group(true);
    if (!offer_rows(faces, "Face ", count, r.face_rows(i))) enable_face_group(false);
}

void frmINSG::vertex_chosen(int k) {
    show_vec(vertex, 0, record_.vertices.at(insignias.selected, k));
}

void frmINSG::face_chosen(int f) {
    face_group.caption = faces.selected_text() + " data";
    const InsigniaFace face = record_.faces.at(insignias.selected, f);
    for (std::size_t j = 0; j < face.size(); ++j) {
        corners.cell(j, 0).text = integer_text(face[j].vertex);
        corners.cell(j, 1).text = pof::float_text(face[j].u);
        corners.cell(j, 2).text = pof::float_text(face[j].v);
    }
}

}  // namespace records
