#pragma once
// PNG, JPEG and TGA through stb_image. Throws ImageError.

#include <cstdint>
#include <span>

#include "textures/decode.h"

namespace textures {

bool is_png(std::span<const std::uint8_t> start);
bool is_jpeg(std::span<const std::uint8_t> start);

// `kind` is Png, Jpg or Tga: the name the format is given and the checks made before stb_image
// sees the bytes.
HeaderFacts probe_stb(std::span<const std::uint8_t> start, std::uint64_t file_size, ImageKind kind);
DecodedImage decode_stb(std::span<const std::uint8_t> file, ImageKind kind);

}  // namespace textures
