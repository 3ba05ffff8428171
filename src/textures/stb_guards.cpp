#include "textures/stb_guards.h"

#include <cstring>

#include "textures/image_error.h"

namespace textures {

namespace {

std::uint32_t u32_be(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// Reads one DHT segment from its length on, as stb_image reads it (zeros past the end).
void check_huffman_segment(std::span<const std::uint8_t> b, std::size_t pos) {
    const auto byte = [&](std::size_t i) -> int { return i < b.size() ? b[i] : 0; };
    int left = (byte(pos) << 8 | byte(pos + 1)) - 2;
    for (pos += 2; left > 0 && pos < b.size(); pos += 1 + 16) {
        int codes = 0;
        for (std::size_t i = 0; i < 16; ++i) codes += byte(pos + 1 + i);
        if (codes > 256) unreadable("a JPEG Huffman table holds more than 256 codes");
        pos += std::size_t(codes);
        left -= 17 + codes;
    }
}

}  // namespace

// A TGA header promises its pixels, and stb_image reads zeros past the end of the file rather
// than failing; so the file must hold the least the header asks for: every pixel uncoded,
// or one run of at most 128 pixels per pixel size plus one byte when run-length coded.
void check_tga_length(std::span<const std::uint8_t> start, std::uint64_t file_size) {
    constexpr std::size_t kHeader = 18;
    if (start.size() < kHeader) unreadable("the TGA header is cut short");
    const std::uint64_t id_bytes = start[0];
    const std::uint64_t map_bytes = start[1] == 1 ? u16_at(start, 5) * ((start[7] + 7u) / 8) : 0;
    const std::uint64_t pixels = std::uint64_t{u16_at(start, 12)} * u16_at(start, 14);
    const std::uint64_t pixel_bytes = (start[16] + 7u) / 8;
    const bool coded = start[2] >= 9;
    const std::uint64_t least =
        kHeader + id_bytes + map_bytes +
        (coded ? (pixels + 127) / 128 * (1 + pixel_bytes) : pixels * pixel_bytes);
    if (least > file_size) unreadable("the TGA pixel data is cut short");
}

// stb_image 2.27, as Debian 12 packages it, writes past a Huffman table whose sixteen code
// counts add up to more than 256 (CVE-2021-37789). It takes a table from wherever the bytes
// FF C4 stand, so every such place is read first and a file with a bad table refused.
void check_jpeg_tables(std::span<const std::uint8_t> bytes) {
    for (std::size_t at = 0; at + 1 < bytes.size(); ++at) {
        if (bytes[at] == 0xff && bytes[at + 1] == 0xc4) check_huffman_segment(bytes, at + 2);
    }
}

// stb_image sizes its buffer of compressed pixels by the lengths the PNG chunks declare,
// before it reads them; so every chunk up to IEND must lie inside the file.
void check_png_chunks(std::span<const std::uint8_t> file) {
    // A chunk is its length and type (the header), its data, then a CRC.
    constexpr std::size_t kSignature = 8, kHeader = 8, kCrc = 4;
    for (std::size_t pos = kSignature; kHeader <= file.size() - pos;) {
        const std::size_t left = file.size() - pos - kHeader;
        const std::uint64_t length = u32_be(&file[pos]);
        if (left < kCrc || length > left - kCrc) {
            unreadable("a PNG chunk runs past the end of the file");
        }
        if (std::memcmp(&file[pos + 4], "IEND", 4) == 0) return;
        pos += kHeader + length + kCrc;
    }
}

}  // namespace textures
