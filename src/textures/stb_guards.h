#pragma once
// Checks made before stb_image sees a file, for the faults of the stb_image Debian 12
// packages (2.27): where it would read past a file's end, write past a table or allocate
// what the file cannot fill. Each throws ImageError (unreadable) with the reason.

#include <cstdint>
#include <span>
#include <vector>

namespace textures {

// The file must hold the pixels the TGA header in `start` asks for.
void check_tga_length(std::span<const std::uint8_t> start, std::uint64_t file_size);

// Every PNG chunk up to IEND lies inside the file.
void check_png_chunks(std::span<const std::uint8_t> file);

// The PNG file without its empty IDAT chunks; empty when it has none.
std::vector<std::uint8_t> without_empty_idat(std::span<const std::uint8_t> file);

}  // namespace textures
