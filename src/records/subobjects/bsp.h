#pragma once
// The BSP data of a subobject: typed blocks laid end to end, each starting with its type ID
// and its size (header included). The walk lists them by following the size fields; it never
// follows the split-plane offsets.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace records {

namespace bsp {
inline constexpr std::int32_t kEof = 0;
inline constexpr std::int32_t kDefPoints = 1;
inline constexpr std::int32_t kFlatPoly = 2;
inline constexpr std::int32_t kTmapPoly = 3;
inline constexpr std::int32_t kSortNorm = 4;
inline constexpr std::int32_t kBoundBox = 5;
}  // namespace bsp

// "EOF", "DEFPOINTS", "FLATPOLY", "TMAPPOLY", "SORTNORM", "BOUNDBOX"; "UNKNOWN" for any other.
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
// The same walk into walk, whose rows keep their memory: for callers that walk many
// subobjects one after the other.
void walk_blocks(std::string_view bsp, BlockWalk& walk);

}  // namespace records
