#include "records/subobjects/frmPOLY.h"

#include <algorithm>

#include "io/text.h"
#include "records/subobjects/bsp.h"
#include "records/subobjects/g_functions.h"

namespace records {

namespace {

constexpr std::int64_t kEntries = bsp::kTmapPolyLayout.entries_at;  // the first vertex entry

// TMAP2POLY: box min at 8, box max at 20, normal at 32, texture at 44, vertex count at 48, then
// entries of a vertex and a normal index (uint32 each), u and v.
constexpr std::int64_t kBox2 = 8;
constexpr std::int64_t kNormal2 = bsp::kTmap2PolyLayout.normal_at;
constexpr std::int64_t kTexture2 = bsp::kTmap2PolyLayout.texture_at;
constexpr std::int64_t kCount2 = bsp::kTmap2PolyLayout.count_at;
constexpr std::int64_t kEntries2 = bsp::kTmap2PolyLayout.entries_at;
constexpr std::int64_t kEntryBytes2 = bsp::kTmap2PolyLayout.stride;

using Width = view::Table::Width;

std::vector<view::Table::Column> textured_columns() {
    return {{"Index", Width::Keep}, {"Vertex (Inx)"}, {"Normal (Inx)"}, {"U Offset"}, {"V Offset"}};
}

}  // namespace

const PolygonKind& flat_polygon() {
    static const PolygonKind kind{
        bsp::kFlatPoly, false, 4, {{"Index", Width::Keep}, {"Vertex (Index)"}, {"Normal (Index)"}}};
    return kind;
}

const PolygonKind& textured_polygon() {
    static const PolygonKind kind{bsp::kTmapPoly, true, 12, textured_columns()};
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

void frmPOLY::decode_fields() {
    const int chosen = entries.selected;
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
    list_entries(entries, chosen, count, kEntries, kind_.entry_bytes,
                 [this](std::int64_t i) { return entry_cells(i); });
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

frmTMAP2POLY::frmTMAP2POLY(const SubobjectContext& context)
    : ActivatedBlockViewer(bsp::kTmap2Poly, context), entries(textured_columns(), "ListView1") {
    normal_box.span("Bounding Box", 1, 2);
    set_layout(column({
        row({column({&bsp_offset, &record_id, &record_size}), &normal_box}),
        &texture,
        &vertex_count,
        &entries,
        &note,
    }));
}

void frmTMAP2POLY::decode_fields() {
    const int chosen = entries.selected;
    entries.clear();
    show_header();
    show_floats(normal_box, 1, kBox2);
    show_floats(normal_box, 2, kBox2 + 12);
    show_floats(normal_box, 0, kNormal2);
    texture.value.text = int_text_at(kTexture2);
    vertex_count.value.text = uint_text_at(kCount2);
    // A count above the int32 range lists what lies whole in the block, then says where it ends.
    const auto count = static_cast<std::uint32_t>(int_at(kCount2));
    const std::int32_t listed = count > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<std::int32_t>(count);
    list_entries(entries, chosen, listed, kEntries2, kEntryBytes2,
                 [this](std::int64_t i) { return entry_cells(i); });
}

// The entry's index, the vertex and normal indices (uint32), u and v.
view::Table::Cells frmTMAP2POLY::entry_cells(std::int64_t i) const {
    const std::int64_t at = kEntries2 + kEntryBytes2 * i;
    return {pof::integer_text(i), uint_text_at(at), uint_text_at(at + 4), float_text_at(at + 8),
            float_text_at(at + 12)};
}

}  // namespace records
