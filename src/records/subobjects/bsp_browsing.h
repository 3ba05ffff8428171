#pragma once
// What the subobject viewer is browsing: a copy of the chosen subobject's BSP data and the
// block row double-clicked last. The block viewers decode their block from it.

#include <cstdint>
#include <string>

namespace records {

struct CurrentBlock {
    std::int32_t offset = 0;  // into the BSP buffer
    std::string type;         // the row's type name ("DEFPOINTS", "EOF", ...)
    std::int32_t size = 0;
    std::int32_t type_id = -1;  // the block's type ID; -1 for a note row
};

struct BspBrowsing {
    std::string buffer;
    CurrentBlock block;
};

}  // namespace records
