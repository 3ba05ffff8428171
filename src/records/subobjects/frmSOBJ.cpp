#include "records/subobjects/frmSOBJ.h"

#include <algorithm>

#include "io/text.h"
#include "records/subobjects/block_viewers.h"
#include "records/versions.h"
#include "records/viewer_text.h"

namespace records {

using pof::float_text;
using pof::integer_text;

frmSOBJ::frmSOBJ(const SubobjectContext& context)
    : Viewer("frmSOBJ", "SOBJ record"), context_(context) {
    properties.value.lines = 3;  // a properties text of two lines shows whole
    bounds.span("Bounding Box", 1, 2);
    view::Control* movement =
        has_translation(context.state.file_version)
            ? column({&movement_type, &movement_axis, &translation_type, &translation_axis})
            : column({&movement_type, &movement_axis});
    group(data, {&submodel_name, &properties, &parent, beside_values(offset, {&radius}), movement,
                 &bsp_size, &blocks});
    set_layout(column({
        row({column({&record_size, &subobject_count, &subobjects}), &bounds}),
        &data,
    }));
    blocks.on_double_click = [this](int row) { block_double_clicked(row); };
}

void frmSOBJ::opened() {
    subobjects.enabled = true;
    subobjects.clear();
    const std::int32_t count = context_.header_subobject_count;
    subobject_count.value.text = integer_text(count);
    if (count < 1) {
        blank_fields();
        data.caption.clear();
    } else {
        list_subobjects(count);
        select_current();
    }
    if (count < 2) subobjects.enabled = false;
}

void frmSOBJ::shown() {
    if (context_.state.file_version >= kHeaderNewOrder) title = "OBJ2 record data";
    select_current();
}

void frmSOBJ::list_subobjects(std::int32_t count) {
    rows_ = SubobjectRows(context_.table, count);
    subobjects.rows.reserve(rows_.size());
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        subobjects.rows.push_back("subObject " + integer_text(rows_.number(row)));
    }
}

// The row of the current subobject number; the first row when that number has none (right
// after a read it is one past the last subobject). Choosing the row already shown does nothing.
void frmSOBJ::select_current() {
    if (subobjects.rows.empty()) return;
    const int row = std::max(rows_.row_of(context_.state.current_subobject), 0);
    if (row != subobjects.selected) subobjects.choose(row);
}

void frmSOBJ::subobject_chosen(int row) {
    close_block_viewers(context_.windows);
    const std::int32_t number = rows_.number(static_cast<std::size_t>(row));
    const Subobject& s = context_.table.at(number);
    data.caption = "subObject " + integer_text(number) + " data";
    record_size.value.text = integer_text(s.chunk_size);
    blocks.clear();
    show_fields(s);
    walk(s);
}

void frmSOBJ::show_fields(const Subobject& s) {
    submodel_name.value.text = pof::text8(s.name);
    properties.value.text = pof::text8(s.properties);
    parent.value.text = integer_text(s.parent);
    show_vec(offset, 0, s.offset);
    radius.value.text = float_text(s.radius);
    movement_type.value.text = integer_text(s.movement_type);
    movement_axis.value.text = integer_text(s.movement_axis);
    translation_type.value.text = integer_text(s.translation_type);
    translation_axis.value.text = integer_text(s.translation_axis);
    show_vec(bounds, 0, s.geometric_center);
    show_vec(bounds, 1, s.bbox_min);
    show_vec(bounds, 2, s.bbox_max);
    bsp_size.value.text = integer_text(s.bsp_data_size);
}

// Copies the subobject's BSP data into the browsing state and lists its blocks, with the
// values above already painted and the busy cursor showing.
void frmSOBJ::walk(const Subobject& s) {
    view::BusyCursor busy(context_.desktop);
    context_.windows.repaint(name());
    const auto size = static_cast<std::size_t>(std::max(s.bsp_data_size, 0));
    context_.browsing.buffer.assign(s.bsp_data, 0, size);
    walk_ = walk_blocks(context_.browsing.buffer);
    // The rows' texts are made when the list is shown or written, not held.
    blocks.set_source(walk_.rows.size(), [this](std::size_t i) { return block_cells(i); });
}

view::Table::Cells frmSOBJ::block_cells(std::size_t row) const {
    const BlockRow& b = walk_.rows[row];
    if (b.note) return {"", walk_.note, ""};
    return {integer_text(b.offset), std::string(walk_.type(b)), integer_text(b.size)};
}

void frmSOBJ::blank_fields() {
    for (view::Field* f : {&submodel_name, &properties, &parent, &radius, &movement_type,
                           &movement_axis, &translation_type, &translation_axis, &bsp_size}) {
        f->value.text.clear();
    }
    blank_column(offset, 0);
    for (std::size_t c = 0; c < 3; ++c) blank_column(bounds, c);
}

void frmSOBJ::block_double_clicked(int row) {
    const BlockRow& b = walk_.rows[row];
    context_.browsing.block = {b.note ? 0 : b.offset, std::string(walk_.type(b)), b.size,
                               b.type_id};
    open_block_viewer(context_);
}

}  // namespace records
