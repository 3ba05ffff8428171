#pragma once
// DDS files: the header read and checked, the largest mipmap decoded. Throws ImageError.

#include <cstdint>
#include <span>

#include "textures/decode.h"

namespace textures {

// True when the bytes start with the DDS magic.
bool is_dds(std::span<const std::uint8_t> start);

HeaderFacts probe_dds(std::span<const std::uint8_t> start, std::uint64_t file_size);
DecodedImage decode_dds(std::span<const std::uint8_t> file);

}  // namespace textures
