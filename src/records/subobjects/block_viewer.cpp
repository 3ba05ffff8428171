#include "records/subobjects/block_viewer.h"

#include <algorithm>

#include "io/text.h"
#include "records/subobjects/block_kinds.h"
#include "records/subobjects/g_functions.h"

namespace records {

BlockViewer::BlockViewer(std::int32_t block_id, const SubobjectContext& context)
    : Viewer(std::string(block_kind(block_id).window), std::string(block_kind(block_id).window)),
      context_(context),
      block_id_(block_id) {}

void BlockViewer::copy_current_block() {
    block_ = context_.browsing.block;
    const std::string& buffer = context_.browsing.buffer;
    const auto start = static_cast<std::int64_t>(block_.offset);
    const auto size = static_cast<std::int64_t>(std::max(block_.size, 0));
    const auto have = static_cast<std::int64_t>(buffer.size());
    const std::int64_t from = std::clamp<std::int64_t>(start, 0, have);
    const std::int64_t to = std::clamp<std::int64_t>(start + size, from, have);
    copy_.assign(buffer, static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
    copy_note_.clear();
    if (to - from < size) {
        copy_note_ = "Only " + pof::integer_text(to - from) + " of the block's " +
                     pof::integer_text(size) + " bytes lie in the BSP data.";
    }
    has_block_ = true;
}

void BlockViewer::decode(const std::function<void()>& reads) {
    note.text = copy_note_;
    try {
        reads();
    } catch (const OutOfRange& e) {
        if (!note.text.empty()) note.text += " ";
        note.text += "Cut short: " + std::string(e.what()) + ".";
    }
}

void BlockViewer::show_header() {
    bsp_offset.value.text = pof::integer_text(block_.offset);
    record_id.value.text = int_text_at(0);
    record_size.value.text = int_text_at(4);
}

std::int32_t BlockViewer::int_at(std::int64_t at) const {
    return int32_at(copy_, at);
}

std::string BlockViewer::int_text_at(std::int64_t at) const {
    return pof::integer_text(int32_at(copy_, at));
}

std::string BlockViewer::int16_text_at(std::int64_t at) const {
    return pof::integer_text(int16_at(copy_, at));
}

std::string BlockViewer::float_text_at(std::int64_t at) const {
    return pof::float_text(float32_at(copy_, at));
}

std::string BlockViewer::uint_text_at(std::int64_t at) const {
    return pof::integer_text(static_cast<std::uint32_t>(int32_at(copy_, at)));
}

void BlockViewer::show_floats(view::Grid& grid, std::size_t column, std::int64_t at) const {
    for (std::size_t r = 0; r < 3; ++r) grid.cell(r, column).text = float_text_at(at + 4 * r);
}

// Decoding the same block again (its window activated once more) keeps the chosen entry, so
// a finding that led here stays on its entry when the window system activates the window.
void BlockViewer::list_entries(view::Table& table, int chosen, std::int32_t count,
                               std::int64_t first, std::int64_t entry_bytes,
                               const std::function<view::Table::Cells(std::int64_t)>& cells) {
    const bool same_block = listed_ == copy_;
    listed_ = copy_;
    const auto size = static_cast<std::int64_t>(copy_.size());
    const std::int64_t whole = std::max<std::int64_t>(size - first, 0) / entry_bytes;
    const std::int64_t listed = std::clamp<std::int64_t>(count, 0, whole);
    table.set_source(static_cast<std::size_t>(listed),
                     [cells](std::size_t i) { return cells(static_cast<std::int64_t>(i)); });
    if (same_block && table.valid(chosen)) table.selected = chosen;
    if (count > listed) cells(listed);
}

void ActivatedBlockViewer::opened() {
    blank_values(layout());
}

void ActivatedBlockViewer::activated() {
    if (context_.browsing.block.type_id == block_id_) copy_current_block();
    if (!has_block()) return;
    blank_values(layout());
    decode([this] { decode_fields(); });
}

void blank_values(view::Control& root) {
    view::for_each_control(root, [](view::Control& control) {
        switch (control.kind()) {
            case view::Kind::Value:
                static_cast<view::Value&>(control).text.clear();
                break;
            case view::Kind::Field:
                static_cast<view::Field&>(control).value.text.clear();
                break;
            case view::Kind::Grid:
                for (auto& cell : static_cast<view::Grid&>(control).cells) cell->text.clear();
                break;
            default:
                break;
        }
    });
}

}  // namespace records
