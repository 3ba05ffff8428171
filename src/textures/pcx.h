#pragma once
// PCX files: 8-bit with the 256-colour palette at the end, and 24-bit in three planes, both
// run-length coded. Throws ImageError.

#include <cstdint>
#include <span>

#include "textures/decode.h"

namespace textures {

// True when the bytes start like a run-length coded PCX file (maker byte 10, coding 1).
bool is_pcx(std::span<const std::uint8_t> start);

HeaderFacts probe_pcx(std::span<const std::uint8_t> start, std::uint64_t file_size);
DecodedImage decode_pcx(std::span<const std::uint8_t> file);

}  // namespace textures
