#include "records/subobjects/bsp.h"

#include <limits>

#include "io/text.h"
#include "records/subobjects/block_kinds.h"
#include "records/subobjects/g_functions.h"

namespace records {

namespace {

constexpr std::int64_t kBlockHeaderBytes = 8;

void end_with_note(BlockWalk& walk, std::int64_t at, const std::string& text) {
    walk.rows.push_back({static_cast<std::int32_t>(at), 0, -1, true});
    walk.note = "(walk ends: " + text + ")";
}

// Four little-endian bytes at a position known to lie in the data.
std::int32_t header_int(std::string_view bsp, std::int64_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bsp[at + i]);
    return static_cast<std::int32_t>(v);
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

BlockWalk walk_blocks(std::string_view bsp) {
    BlockWalk walk;
    walk_blocks(bsp, walk);
    return walk;
}

void walk_blocks(std::string_view bsp, BlockWalk& walk) {
    walk.rows.clear();
    walk.note.clear();
    bsp = bsp.substr(0, std::numeric_limits<std::int32_t>::max());
    const auto n = static_cast<std::int64_t>(bsp.size());
    const std::int64_t last = n - 1;
    std::int64_t pos = 0;
    while (pos < last) {
        const std::int64_t start = pos;
        if (n - pos < kBlockHeaderBytes) {
            end_with_note(walk, pos,
                          pof::integer_text(n - pos) + " bytes left, too few for a block header");
            break;
        }
        // The header's 8 bytes lie in the data: checked just above.
        const std::int32_t type = header_int(bsp, pos);
        const std::int32_t size = header_int(bsp, pos + 4);
        walk.rows.push_back({static_cast<std::int32_t>(pos), size, type, false});
        if (type == bsp::kEof) {
            pos = skip_zeros(bsp, pos, last);
        } else if (size <= 0) {
            end_with_note(walk, pos,
                          "a block size of " + pof::integer_text(size) + " does not move on");
            break;
        }
        pos += size;
        if (pos <= start) {
            end_with_note(walk, start, "an EOF size of " + pof::integer_text(size) + " moves back");
            break;
        }
    }
}

}  // namespace records
