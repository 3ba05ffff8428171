#include "records/subobjects/frmDEFPOINTS.h"

#include "io/text.h"
#include "records/subobjects/bsp.h"
#include "records/subobjects/g_functions.h"
#include "records/viewer_text.h"

namespace records {

frmDEFPOINTS::frmDEFPOINTS(const SubobjectContext& context)
    : BlockViewer(bsp::kDefPoints, context) {
    // A vertex without normals blanks the normal group's caption; the window stays as it is.
    normal_group.keeps_caption_line = true;
    group(normal_group, {&normal_x, &normal_y, &normal_z});
    group(vertex_group, {row({&position, column({&normal_count, &normals, &normal_group})})});
    set_layout(column({
        row({column({&bsp_offset, &record_id, &record_size}),
             column({&normal_total, &data_offset, &vertex_count, &vertices})}),
        &vertex_group,
        &note,
    }));
}

void frmDEFPOINTS::opened() {
    vertices.clear();
    normals.clear();
    table_.clear();
    vertex_group.caption.clear();
    blank_values(layout());
    blank_normal();
    copy_current_block();
    std::int32_t count = 0;
    decode([&] {
        show_header();
        vertex_count.value.text = int_text_at(8);
        count = int_at(8);
        normal_total.value.text = int_text_at(12);
        data_offset.value.text = int_text_at(16);
        read_vertices(count);
    });
    release_block_copy();  // the vertex table holds all of it now
    enable_vertex_parts(count > 0);
    vertices.enabled = count >= 2;
    if (!table_.empty()) vertices.choose(0);
}

// Vertex v's normal count is the byte at 20 + v; positions and normals follow one another
// from the data offset on. A vertex is listed once all of it has been read.
void frmDEFPOINTS::read_vertices(std::int32_t count) {
    std::int64_t p = int_at(16);
    for (std::int32_t v = 0; v < count; ++v) {
        Vertex vertex;
        vertex.normal_count = byte_at(block_copy(), 20 + static_cast<std::int64_t>(v));
        vertex.position = vec_at(p);
        p += 12;
        for (int n = 0; n < vertex.normal_count; ++n, p += 12) vertex.normals.push_back(vec_at(p));
        table_.push_back(std::move(vertex));
        vertices.rows.push_back("Vertex " + pof::integer_text(v));
    }
}

pof::Vec3 frmDEFPOINTS::vec_at(std::int64_t at) const {
    return {float32_at(block_copy(), at), float32_at(block_copy(), at + 4),
            float32_at(block_copy(), at + 8)};
}

void frmDEFPOINTS::enable_vertex_parts(bool enabled) {
    normal_count.caption.enabled = enabled;
    enable_headers(position, enabled);
    for (view::Field* f : {&normal_x, &normal_y, &normal_z}) f->caption.enabled = enabled;
    normals.enabled = enabled;
    vertex_group.enabled = normal_group.enabled = enabled;
}

void frmDEFPOINTS::vertex_chosen(int v) {
    const Vertex& vertex = table_[v];
    vertex_group.caption = vertices.rows[v] + " Data";
    normal_count.value.text = pof::integer_text(vertex.normal_count);
    normals.enabled = true;
    normals.clear();
    show_vec(position, 0, vertex.position);
    fill_numbered(normals, "Normal ", static_cast<int>(vertex.normals.size()));
    // A vertex without normals leaves nothing of another vertex's normal on screen.
    if (vertex.normals.empty()) {
        blank_normal();
    } else {
        normals.choose(0);
    }
}

void frmDEFPOINTS::normal_chosen(int n) {
    const pof::Vec3& normal = table_[vertices.selected].normals[n];
    normal_group.caption = normals.rows[n] + " Data";
    normal_x.value.text = pof::float_text(normal.x);
    normal_y.value.text = pof::float_text(normal.y);
    normal_z.value.text = pof::float_text(normal.z);
}

void frmDEFPOINTS::blank_normal() {
    normal_group.caption.clear();
    for (view::Field* f : {&normal_x, &normal_y, &normal_z}) f->value.text.clear();
}

}  // namespace records
