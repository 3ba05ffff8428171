#pragma once
// PNG through libpng (Debian's libpng16): rows are decoded one after the other straight into
// the 8-bit RGBA image, whatever the file's depth, so a 16-bit file costs no more than an
// 8-bit one. Throws ImageError.

#include <cstdint>
#include <span>

#include "textures/decode.h"

namespace textures {

bool is_png(std::span<const std::uint8_t> start);

// The IHDR chunk's size, depth and colour type checked, without libpng.
HeaderFacts probe_png(std::span<const std::uint8_t> start);
DecodedImage decode_png(std::span<const std::uint8_t> file);

}  // namespace textures
