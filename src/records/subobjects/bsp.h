#pragma once
// The BSP data of a subobject: typed blocks laid end to end, each starting with its type ID
// and its size (header included). The walk lists them by following the size fields; it never
// follows the split-plane offsets.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "io/little_endian.h"

namespace records {

namespace bsp {
inline constexpr std::int32_t kEof = 0;
inline constexpr std::int32_t kDefPoints = 1;
inline constexpr std::int32_t kFlatPoly = 2;
inline constexpr std::int32_t kTmapPoly = 3;
inline constexpr std::int32_t kSortNorm = 4;
inline constexpr std::int32_t kBoundBox = 5;
// Taken by the game in a file of any version: 32-bit indices, and split nodes without a plane.
inline constexpr std::int32_t kTmap2Poly = 6;
inline constexpr std::int32_t kSortNorm2 = 7;

// Where a polygon block keeps its fields: FLATPOLY and TMAPPOLY with 16-bit vertex and normal
// indices (which the game reads unsigned), TMAP2POLY with 32-bit ones. The window, the scene
// and the check all read the blocks through this one table.
struct PolygonLayout {
    bool textured;
    bool wide;  // 32-bit indices
    std::int64_t normal_at, texture_at, count_at, entries_at, stride, uv_at;
};
inline constexpr PolygonLayout kFlatPolyLayout{false, false, 8, 40, 36, 44, 4, 0};
inline constexpr PolygonLayout kTmapPolyLayout{true, false, 8, 40, 36, 44, 12, 4};
inline constexpr PolygonLayout kTmap2PolyLayout{true, true, 32, 44, 48, 52, 16, 8};
}  // namespace bsp

// "EOF", "DEFPOINTS", "FLATPOLY", "TMAPPOLY", "SORTNORM", "BOUNDBOX", "TMAP2POLY", "SORTNORM2";
// "UNKNOWN" for any other.
std::string_view block_type_name(std::int32_t type_id);

// One row of the block list, small since a subobject may hold millions of blocks. A note row
// ends a walk that could not go on; it has no size of its own and says in its type text what
// was wrong.
struct BlockRow {
    std::int32_t offset = 0;  // BSP data sizes are int32, so every offset fits
    std::int32_t size = 0;
    std::int32_t type_id = -1;  // as read; -1 for a note row
    bool note = false;
};

struct BlockWalk {
    std::vector<BlockRow> rows;
    std::string note;  // the note row's text, "(walk ends: ...)"; empty when there is none

    // The type text of a row: its type name, or the note.
    std::string_view type(const BlockRow& row) const {
        return row.note ? std::string_view(note) : block_type_name(row.type_id);
    }
};

// Walks the BSP data from byte 0 while the position is below its last byte. After an EOF
// block the zero bytes that follow are skipped before its size is added. A block size that
// would not move the walk on, or a block header cut by the end of the data, ends the walk with
// a note row; nothing outside the data is read. Data beyond 2 GiB is not walked.
BlockWalk walk_blocks(std::string_view bsp);
// The same walk, one block at a time, into rows that keep their memory: for callers that
// look at each block as soon as it is listed, or walk many subobjects one after another.
class BlockWalker {
  public:
    // Clears walk; the walk goes into it.
    BlockWalker(std::string_view bsp, BlockWalk& walk);
    // Lists the next block (or the note that ends the walk); false once the walk has ended.
    // Inline: a subobject may hold millions of blocks.
    bool step() {
        const auto n = static_cast<std::int64_t>(bsp_.size());
        if (ended_ || pos_ >= n - 1) return false;
        if (n - pos_ < kHeaderBytes) return end_cut();
        const std::int32_t type = header_int(pos_);
        const std::int32_t size = header_int(pos_ + 4);
        walk_.rows.push_back({static_cast<std::int32_t>(pos_), size, type, false});
        if (type == bsp::kEof) return after_eof(size);
        if (size <= 0) return end_still(size);
        pos_ += size;
        return true;
    }
    // Where the next block would start.
    std::int64_t position() const { return pos_; }

  private:
    static constexpr std::int64_t kHeaderBytes = 8;
    // Four little-endian bytes inside the data.
    std::int32_t header_int(std::int64_t at) const {
        return static_cast<std::int32_t>(pof::little_endian<4>(bsp_.data() + at));
    }
    bool end_cut();
    bool after_eof(std::int32_t size);
    bool end_still(std::int32_t size);
    void end_with_note(std::int64_t at, const std::string& text);

    std::string_view bsp_;
    BlockWalk& walk_;
    std::int64_t pos_ = 0;
    bool ended_ = false;
};

}  // namespace records
