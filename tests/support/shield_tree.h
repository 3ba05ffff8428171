#pragma once
// The shield collision trees of SLDC and SLC2 chunks, byte-built over the faces of a SHLD
// chunk: a balanced tree whose leaves hold at most a few faces, each node's box holding the
// corners of its faces. A split node is followed directly by its front subtree, then its back
// one, as the game's conversion of an SLDC tree assumes.

#include <array>
#include <cstdint>
#include <vector>

#include "pof_builder.h"
#include "subobject_model.h"

namespace testing_pof {

enum class ShieldTreeKind {
    Sldc,  // a 1-byte node type: split 37 bytes, leaf 33 + 4k
    Slc2,  // an int32 node type: split 40 bytes, leaf 36 + 4k
};

using ShieldFaceCorners = std::array<bsp::Vec, 3>;

// The chunk body: the tree's size in bytes, then its nodes.
Bytes shield_tree_body(ShieldTreeKind kind, const std::vector<ShieldFaceCorners>& faces,
                       int faces_per_leaf = 2);

}  // namespace testing_pof
