#pragma once
// A picture written as a PNG file's bytes: 8-bit RGBA, the top row first.

#include <cstdint>
#include <span>
#include <string>

namespace textures {

// Empty when the sizes do not match the pixels (or are not positive).
std::string encode_png(int width, int height, std::span<const std::uint8_t> rgba);

}  // namespace textures
