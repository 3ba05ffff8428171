#include "records/weapons/frmSHLD.h"

#include "records/table_access.h"
#include "records/viewer_text.h"

namespace records {

using pof::float_text;
using pof::integer_text;

namespace {

std::vector<std::string> integer_texts(const std::array<std::int32_t, 3>& numbers) {
    return {integer_text(numbers[0]), integer_text(numbers[1]), integer_text(numbers[2])};
}

}  // namespace

frmSHLD::frmSHLD(const ShldRecord& record) : Viewer("frmSHLD", "SHLD record"), record_(record) {
    group(vertex, {&x, &y, &z});
    group(face, {&face_normal, &corners});
    set_layout(column({
        &record_size,
        row({column({&vertex_count, &vertices}), &vertex}),
        row({column({&face_count, &faces}), &face}),
    }));
}

void frmSHLD::opened() {
    blank_values();
    record_size.value.text = integer_text(record_.chunk_size);
    vertex_count.value.text = integer_text(record_.vertex_count);
    face_count.value.text = integer_text(record_.face_count);
    show_vertices();
    show_faces();
}

void frmSHLD::blank_values() {
    for (view::Field* f : {&x, &y, &z}) f->value.text.clear();
    blank_column(face_normal, 0);
    blank_column(corners, 0);
    blank_column(corners, 1);
}

void frmSHLD::show_vertices() {
    const int n = record_.vertex_rows();
    vertex.enabled = n > 0;
    for (view::Field* f : {&x, &y, &z}) f->caption.enabled = n > 0;
    offer_rows(vertices, "Vertex ", record_.vertex_count, n);
}

void frmSHLD::show_faces() {
    const int n = record_.face_rows();
    face.enabled = n > 0;
    enable_headers(face_normal, n > 0);
    enable_headers(corners, n > 0);
    offer_rows(faces, "Face ", record_.face_count, n);
}

void frmSHLD::vertex_chosen(int v) {
    const pof::Vec3 p = entry_or_zero(record_.vertices, v);
    x.value.text = float_text(p.x);
    y.value.text = float_text(p.y);
    z.value.text = float_text(p.z);
}

void frmSHLD::face_chosen(int f) {
    const ShieldFace face_data = entry_or_zero(record_.faces, f);
    show_vec(face_normal, 0, face_data.normal);
    corners.set_column(0, integer_texts(face_data.vertices));
    corners.set_column(1, integer_texts(face_data.neighbours));
}

}  // namespace records
