#include "records/subobjects/bsp.h"

#include "io/text.h"
#include "records/subobjects/block_kinds.h"
#include "records/subobjects/g_functions.h"

namespace records {

namespace {

constexpr std::int64_t kBlockHeaderBytes = 8;

BlockRow note_row(std::int64_t at, std::string text) {
    return {at, "(walk ends: " + std::move(text) + ")", 0, true};
}

// Moves pos past the zero bytes that follow an EOF block's first byte, stopping on the first
// non-zero byte or on the last byte of the data.
std::int64_t skip_zeros(std::string_view bsp, std::int64_t pos, std::int64_t last) {
    std::uint8_t b = 0;
    while (pos < last && b == 0) {
        ++pos;
        b = byte_at(bsp, pos);
    }
    return pos;
}

}  // namespace

std::string_view block_type_name(std::int32_t type_id) {
    const BlockKind* kind = find_block_kind(type_id);
    return kind ? kind->name : "UNKNOWN";
}

std::vector<BlockRow> walk_blocks(std::string_view bsp) {
    std::vector<BlockRow> rows;
    const auto n = static_cast<std::int64_t>(bsp.size());
    const std::int64_t last = n - 1;
    std::int64_t pos = 0;
    while (pos < last) {
        const std::int64_t start = pos;
        if (n - pos < kBlockHeaderBytes) {
            rows.push_back(note_row(
                pos, pof::integer_text(n - pos) + " bytes left, too few for a block header"));
            break;
        }
        const std::int32_t type = int32_at(bsp, pos);
        const std::int32_t size = int32_at(bsp, pos + 4);
        rows.push_back({pos, std::string(block_type_name(type)), size, false, type});
        if (type == bsp::kEof) {
            pos = skip_zeros(bsp, pos, last);
        } else if (size <= 0) {
            rows.push_back(
                note_row(pos, "a block size of " + pof::integer_text(size) + " does not move on"));
            break;
        }
        pos += size;
        if (pos <= start) {
            rows.push_back(
                note_row(start, "an EOF size of " + pof::integer_text(size) + " moves back"));
            break;
        }
    }
    return rows;
}

}  // namespace records
