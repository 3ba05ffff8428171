#pragma once
// The BSP block types: the ID a block starts with, the name the block list shows, and the block
// viewer that opens it. Blocks are found by their ID in this one table.

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "records/subobjects/subobject_context.h"

namespace records {

class BlockViewer;

struct BlockKind {
    std::int32_t id;
    std::string_view name;
    std::string_view window;  // object name and title of its viewer; empty for EOF
    std::unique_ptr<BlockViewer> (*make)(const SubobjectContext&);
};

// EOF, DEFPOINTS, FLATPOLY, TMAPPOLY, SORTNORM, BOUNDBOX, TMAP2POLY, SORTNORM2, in ID order.
std::span<const BlockKind> block_kinds();
// The block type of an ID; nothing for an unknown ID.
const BlockKind* find_block_kind(std::int32_t id);
// The block type of one of the IDs in the table.
const BlockKind& block_kind(std::int32_t id);

}  // namespace records
