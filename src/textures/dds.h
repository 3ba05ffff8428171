#pragma once
// DDS files: the header read and checked, the largest mipmap decoded. Throws ImageError.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "textures/decode.h"
#include "textures/dxt.h"

namespace textures {

// True when the bytes start with the DDS magic.
bool is_dds(std::span<const std::uint8_t> start);

HeaderFacts probe_dds(std::span<const std::uint8_t> start, std::uint64_t file_size);
DecodedImage decode_dds(std::span<const std::uint8_t> file);

// A DXT file's levels as it stores them, for a window that draws them compressed: the
// largest, then the mipmaps the header counts, as far as the file holds them whole (a count
// past the 1 x 1 level stops there).
struct StoredLevel {
    int width = 0, height = 0;
    std::size_t offset = 0;  // in the file
    std::size_t bytes = 0;
};
struct StoredDxt {
    DxtCoding coding = DxtCoding::Dxt1;
    std::string format;  // "DDS DXT5"
    std::vector<StoredLevel> levels;
};
// nullopt when the file's pixels are not DXT blocks; throws ImageError as decode_dds does.
std::optional<StoredDxt> stored_dxt(std::span<const std::uint8_t> file);

}  // namespace textures
