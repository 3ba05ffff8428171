#pragma once
// The DXT block codings (S3TC: BC1, BC2, BC3) decoded into an image. Each block is 4 x 4
// pixels; blocks run left to right, then top to bottom, and the edge blocks of an image whose
// sides are not multiples of 4 hold pixels past it, which are dropped.

#include <cstdint>
#include <span>

#include "textures/image.h"

namespace textures {

enum class DxtCoding { Dxt1, Dxt3, Dxt5 };

// Bytes one block takes: 8 for DXT1, 16 for DXT3 and DXT5.
int dxt_block_bytes(DxtCoding coding);

// Bytes the blocks of a width x height image take.
std::uint64_t dxt_bytes(DxtCoding coding, int width, int height);

// Decodes `blocks` (at least dxt_bytes of it) into `image`, every pixel written. Returns true
// when some pixel is less than opaque.
bool decode_dxt(DxtCoding coding, std::span<const std::uint8_t> blocks, Image& image);

// True when some DXT1 block of `blocks` has a transparent pixel (its three-colour mode and an
// index of 3), the edge blocks' pixels past the image included.
bool dxt1_transparent(std::span<const std::uint8_t> blocks);

}  // namespace textures
