#pragma once
// Helpers of the texture tests: files as strings, decoded or probed, pixels as 0xRRGGBBAA.

#include <cstdint>
#include <string>
#include <vector>

#include "textures/decode.h"

namespace texture_testing {

inline std::span<const std::uint8_t> bytes_of(const std::string& file) {
    return {reinterpret_cast<const std::uint8_t*>(file.data()), file.size()};
}

inline textures::DecodedImage decode(const std::string& file, textures::ImageKind named) {
    return textures::decode_image(bytes_of(file), named);
}

// The first `header` bytes of a file, probed as the model check probes: knowing its size.
inline textures::HeaderFacts probe(const std::string& file, std::size_t header,
                                   textures::ImageKind named) {
    return textures::probe_image(bytes_of(file.substr(0, header)), file.size(), named);
}

// Row by row.
inline std::vector<std::uint32_t> pixels_of(const textures::Image& image) {
    std::vector<std::uint32_t> out;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) out.push_back(image.rgba(x, y));
    }
    return out;
}

// A little-endian 32-bit field overwritten at `offset`.
inline std::string with_u32(std::string file, std::size_t offset, std::uint32_t value) {
    std::string field(4, '\0');
    for (int i = 0; i < 4; ++i) field[std::size_t(i)] = static_cast<char>(value >> (8 * i));
    return file.replace(offset, 4, field);
}

}  // namespace texture_testing
