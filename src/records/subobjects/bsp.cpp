#include "records/subobjects/bsp.h"

#include <limits>

#include "io/text.h"
#include "records/subobjects/block_kinds.h"
#include "records/subobjects/g_functions.h"

namespace records {

namespace {

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
    BlockWalker walker(bsp, walk);
    while (walker.step()) {
    }
    return walk;
}

BlockWalker::BlockWalker(std::string_view bsp, BlockWalk& walk)
    : bsp_(bsp.substr(0, std::numeric_limits<std::int32_t>::max())), walk_(walk) {
    walk_.rows.clear();
    walk_.note.clear();
}

void BlockWalker::end_with_note(std::int64_t at, const std::string& text) {
    walk_.rows.push_back({static_cast<std::int32_t>(at), 0, -1, true});
    walk_.note = "(walk ends: " + text + ")";
    ended_ = true;
}

// Fewer bytes than a block header are left.
bool BlockWalker::end_cut() {
    const auto left = static_cast<std::int64_t>(bsp_.size()) - pos_;
    end_with_note(pos_, pof::integer_text(left) + " bytes left, too few for a block header");
    return true;
}

// After an EOF block the zero bytes that follow its first byte are skipped, then its size
// is added; a size that leads back ends the walk.
bool BlockWalker::after_eof(std::int32_t size) {
    const std::int64_t start = pos_;
    pos_ = skip_zeros(bsp_, pos_, static_cast<std::int64_t>(bsp_.size()) - 1) + size;
    if (pos_ <= start) {
        end_with_note(start, "an EOF size of " + pof::integer_text(size) + " moves back");
    }
    return true;
}

bool BlockWalker::end_still(std::int32_t size) {
    end_with_note(pos_, "a block size of " + pof::integer_text(size) + " does not move on");
    return true;
}

}  // namespace records
