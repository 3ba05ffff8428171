#pragma once
// A texture goes to OpenGL a piece at a time, so that no frame of the window waits long for a
// large one: each piece a band of whole rows of one level (of whole rows of 4 x 4 blocks for a
// compressed level), the levels in order.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "view/picture.h"

namespace view {

struct TexturePiece {
    int level = 0;
    int y = 0, rows = 0;  // the band's pixel rows in its level
    std::span<const std::uint8_t> bytes;
};

// The pieces of a texture, each at most most_bytes unless one row (of blocks) is larger.
// Empty when a level holds fewer bytes than its size needs.
std::vector<TexturePiece> texture_pieces(const TextureImage& image, std::size_t most_bytes);

}  // namespace view
