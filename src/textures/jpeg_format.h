#pragma once
// JPEG through libjpeg-turbo (Debian's libjpeg62-turbo): the library every desktop decodes
// JPEG with, fuzzed for years. Throws ImageError.

#include <cstdint>
#include <span>

#include "textures/decode.h"

namespace textures {

bool is_jpeg(std::span<const std::uint8_t> start);

// The frame header's size; width and height 0 when the header lies past the bytes given and
// the file is longer (long metadata before it).
HeaderFacts probe_jpeg(std::span<const std::uint8_t> start, std::uint64_t file_size);
DecodedImage decode_jpeg(std::span<const std::uint8_t> file);

}  // namespace textures
