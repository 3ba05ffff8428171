#pragma once
// Checks made before stb_image sees a file, for the faults of the stb_image Debian 12
// packages (2.27): where it would read past a file's end, write past a table or allocate
// what the file cannot fill. Each throws ImageError (unreadable) with the reason.

#include <cstdint>
#include <span>

namespace textures {

// The file must hold the pixels the TGA header in `start` asks for.
void check_tga_length(std::span<const std::uint8_t> start, std::uint64_t file_size);

// No Huffman table may hold more than 256 codes.
void check_jpeg_tables(std::span<const std::uint8_t> bytes);

// Every PNG chunk up to IEND lies inside the file.
void check_png_chunks(std::span<const std::uint8_t> file);

}  // namespace textures
