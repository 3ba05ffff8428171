#include "textures/stb_guards.h"

#include <cstring>

#include "io/little_endian.h"
#include "textures/image_error.h"

namespace textures {

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

// stb_image sizes its buffer of compressed pixels by the lengths the PNG chunks declare,
// before it reads them; so every chunk up to IEND must lie inside the file.
void check_png_chunks(std::span<const std::uint8_t> file) {
    // A chunk is its length and type (the header), its data, then a CRC.
    constexpr std::size_t kSignature = 8, kHeader = 8, kCrc = 4;
    for (std::size_t pos = kSignature; kHeader <= file.size() - pos;) {
        const std::size_t left = file.size() - pos - kHeader;
        const std::uint64_t length = pof::big_endian<4>(&file[pos]);
        if (left < kCrc || length > left - kCrc) {
            unreadable("a PNG chunk runs past the end of the file");
        }
        if (std::memcmp(&file[pos + 4], "IEND", 4) == 0) return;
        pos += kHeader + length + kCrc;
    }
}

// stb_image copies an IDAT chunk's data to the end of what the chunks before gave, a buffer it
// has not yet made when the first IDAT is empty: a copy of nothing to a null pointer. Empty
// IDAT chunks carry nothing, so the file is decoded without them; the others stay byte for
// byte, their CRCs with them. Nothing is copied when there is none (the usual file).
std::vector<std::uint8_t> without_empty_idat(std::span<const std::uint8_t> file) {
    constexpr std::size_t kSignature = 8, kHeader = 8, kCrc = 4;
    std::vector<std::uint8_t> kept;
    std::size_t copied = 0;  // the bytes of file already in kept
    for (std::size_t pos = kSignature; kHeader + kCrc <= file.size() - pos;) {
        const std::uint64_t length = pof::big_endian<4>(&file[pos]);
        if (length > file.size() - pos - kHeader - kCrc) break;
        if (length == 0 && std::memcmp(&file[pos + 4], "IDAT", 4) == 0) {
            kept.insert(kept.end(), file.begin() + copied, file.begin() + pos);
            copied = pos + kHeader + kCrc;
        }
        pos += kHeader + length + kCrc;
    }
    if (copied > 0) kept.insert(kept.end(), file.begin() + copied, file.end());
    return kept;
}

}  // namespace textures
