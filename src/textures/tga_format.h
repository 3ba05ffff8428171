#pragma once
// TGA: uncoded and run-length coded, true colour (15, 16, 24 and 32 bits), grey (8 bits, or
// 16 with alpha) and colour-mapped (8- or 16-bit indices). The pixels go straight into the
// image. Throws ImageError.

#include <cstdint>
#include <span>

#include "textures/decode.h"

namespace textures {

// The header checked, and the file long enough for the least the pixels can take.
HeaderFacts probe_tga(std::span<const std::uint8_t> start, std::uint64_t file_size);
DecodedImage decode_tga(std::span<const std::uint8_t> file);

}  // namespace textures
