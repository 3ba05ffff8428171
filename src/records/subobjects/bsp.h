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

// One row of the block list. A note row ends a walk that could not go on; it has no offset
// or size of its own and says in its type text what was wrong.
struct BlockRow {
    std::int64_t offset = 0;
    std::string type;
    std::int32_t size = 0;
    bool note = false;
    std::int32_t type_id = -1;  // as read; -1 for a note row
};

// Walks the BSP data from byte 0 while the position is below its last byte. After an EOF
// block the zero bytes that follow are skipped before its size is added. A block size that
// would not move the walk on, or a block header cut by the end of the data, ends the walk with
// a note row; nothing outside the data is read.
std::vector<BlockRow> walk_blocks(std::string_view bsp);

}  // namespace records
