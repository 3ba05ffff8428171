#include "records/subobjects/frmPOLY.h"

#include <algorithm>

#include "io/text.h"
#include "records/subobjects/bsp.h"
#include "records/subobjects/g_functions.h"

namespace records {

namespace {

constexpr std::int64_t kEntries = 44;  // block offset of the first vertex entry

using Width = view::Table::Width;

}  // namespace

const PolygonKind& flat_polygon() {
    static const PolygonKind kind{
        bsp::kFlatPoly, false, 4, {{"Index", Width::Keep}, {"Vertex (Index)"}, {"Normal (Index)"}}};
    return kind;
}

const PolygonKind& textured_polygon() {
    static const PolygonKind kind{
        bsp::kTmapPoly,
        true,
        12,
        {{"Index", Width::Keep}, {"Vertex (Inx)"}, {"Normal (Inx)"}, {"U Offset"}, {"V Offset"}}};
    return kind;
}

frmPOLY::frmPOLY(const SubobjectContext& context, const PolygonKind& kind)
    : ActivatedBlockViewer(kind.block_id, context),
      entries(kind.columns, "ListView1"),
      kind_(kind) {
    view::Control* colour_or_texture =
        kind.textured ? static_cast<view::Control*>(&texture) : row({&red, &green, &blue, &alpha});
    set_layout(column({
        row({column({&bsp_offset, &record_id, &record_size}), &normal_center}),
        &radius,
        colour_or_texture,
        &vertex_count,
        &entries,
        &note,
    }));
}

// Decoding the same block again (its window activated once more) keeps the chosen entry, so
// a finding that led here stays on its entry when the window system activates the window.
void frmPOLY::decode_fields() {
    const int chosen = entries.selected;
    const bool same_block = decoded_ == block_copy();
    entries.clear();
    show_header();
    show_floats(normal_center, 0, 8);
    show_floats(normal_center, 1, 20);
    radius.value.text = float_text_at(32);
    vertex_count.value.text = int_text_at(36);
    const std::int32_t count = int_at(36);
    if (kind_.textured) {
        texture.value.text = int_text_at(40);
    } else {
        view::Field* colours[] = {&red, &green, &blue, &alpha};
        for (int k = 0; k < 4; ++k) {
            colours[k]->value.text = pof::integer_text(byte_at(block_copy(), 40 + k));
        }
    }
    read_entries(count);
    if (same_block && entries.valid(chosen)) entries.selected = chosen;
    decoded_ = block_copy();
}

// One row per vertex entry that lies whole in the block, its cells made from the block copy
// when the list is shown or written. When more are announced, reading the first entry past
// the end throws, and the block's note says where it was cut.
void frmPOLY::read_entries(std::int32_t count) {
    const auto size = static_cast<std::int64_t>(block_copy().size());
    const std::int64_t whole = std::max<std::int64_t>(size - kEntries, 0) / kind_.entry_bytes;
    const std::int64_t listed = std::clamp<std::int64_t>(count, 0, whole);
    entries.set_source(static_cast<std::size_t>(listed),
                       [this](std::size_t i) { return entry_cells(static_cast<std::int64_t>(i)); });
    if (count > listed) entry_cells(listed);
}

// The entry's index, then the vertex and normal indices (int16), and for a textured polygon
// the u and v coordinates.
view::Table::Cells frmPOLY::entry_cells(std::int64_t i) const {
    const std::int64_t at = kEntries + std::int64_t{kind_.entry_bytes} * i;
    view::Table::Cells cells{pof::integer_text(i), int16_text_at(at), int16_text_at(at + 2)};
    if (kind_.textured) {
        cells.push_back(float_text_at(at + 4));
        cells.push_back(float_text_at(at + 8));
    }
    return cells;
}

}  // namespace records
