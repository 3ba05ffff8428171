#include "texture_writers.h"

#include <algorithm>
#include <cstring>  // stb_dxt uses memcpy without including it
#include <map>
#include <stdexcept>

#include <zlib.h>

#include "pof_builder.h"

#define STB_DXT_IMPLEMENTATION
#include <stb/stb_dxt.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#include <stb/stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace testing_pof {

namespace {

constexpr std::uint32_t kCaps = 0x1 | 0x2 | 0x4 | 0x1000;  // caps, height, width, format
constexpr std::uint32_t kLinearSize = 0x80000, kPitch = 0x8;
constexpr std::uint32_t kTexture = 0x1000;  // DDSCAPS_TEXTURE

Bytes header_start(int width, int height, std::uint32_t flags, std::uint32_t size) {
    Bytes b;
    b.raw("DDS ").i32(124).i32(static_cast<std::int32_t>(flags)).i32(height).i32(width);
    b.i32(static_cast<std::int32_t>(size)).i32(0).i32(1);  // size, depth, mipmaps
    for (int i = 0; i < 11; ++i) b.i32(0);
    return b;
}

void header_end(Bytes& b, std::uint32_t caps2) {
    b.i32(kTexture).i32(static_cast<std::int32_t>(caps2)).i32(0).i32(0).i32(0);
}

std::int32_t word(std::uint32_t v) {
    return static_cast<std::int32_t>(v);
}

// The 4 x 4 block at (x, y), pixels past the image repeating its last row and column.
void block_at(const RgbaPixels& image, int x, int y, unsigned char (&block)[64]) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            const std::uint8_t* p =
                image.at(std::min(x + c, image.width - 1), std::min(y + r, image.height - 1));
            std::copy(p, p + 4, &block[std::size_t(r * 4 + c) * 4]);
        }
    }
}

void write_to_string(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), std::size_t(size));
}

int even(int n) {
    return n + (n & 1);
}

Bytes pcx_header(const RgbaPixels& image, int planes) {
    Bytes b;
    b.u8(10).u8(5).u8(1).u8(8);  // maker, version 3.0+, run-length coded, 8 bits
    b.i16(0).i16(0).i16(static_cast<std::int16_t>(image.width - 1));
    b.i16(static_cast<std::int16_t>(image.height - 1)).i16(72).i16(72);
    for (int i = 0; i < 48; ++i) b.u8(0);  // the 16-colour palette, unused
    b.u8(0).u8(static_cast<std::uint8_t>(planes));
    b.i16(static_cast<std::int16_t>(even(image.width))).i16(1).i16(0).i16(0);
    for (int i = 0; i < 54; ++i) b.u8(0);
    return b;
}

}  // namespace

void RgbaPixels::set(int x, int y, std::uint32_t rgba) {
    std::uint8_t* p = at(x, y);
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(rgba >> (24 - 8 * i));
}

std::string dds_header(int width, int height, const char* four_cc, std::uint32_t caps2) {
    const int blocks = ((width + 3) / 4) * ((height + 3) / 4);
    const int block_bytes = std::string(four_cc) == "DXT1" ? 8 : 16;
    Bytes b = header_start(width, height, kCaps | kLinearSize, blocks * block_bytes);
    b.i32(32).i32(0x4).raw(std::string(four_cc, 4)).i32(0).i32(0).i32(0).i32(0).i32(0);
    header_end(b, caps2);
    return b.str();
}

std::string dds_header(int width, int height, int bits, const std::uint32_t (&masks)[4]) {
    Bytes b = header_start(width, height, kCaps | kPitch, width * bits / 8);
    const std::uint32_t flags = 0x40 | (masks[3] != 0 ? 0x1 : 0);  // RGB, alpha pixels
    b.i32(32).i32(word(flags)).i32(0).i32(bits);
    for (const std::uint32_t mask : masks) b.i32(word(mask));
    header_end(b, 0);
    return b.str();
}

std::string dds_file(const RgbaPixels& image, bool alpha) {
    std::string file = dds_header(image.width, image.height, alpha ? "DXT5" : "DXT1");
    unsigned char block[64], coded[16];
    for (int y = 0; y < image.height; y += 4) {
        for (int x = 0; x < image.width; x += 4) {
            block_at(image, x, y, block);
            stb_compress_dxt_block(coded, block, alpha ? 1 : 0, STB_DXT_HIGHQUAL);
            file.append(reinterpret_cast<const char*>(coded), alpha ? 16 : 8);
        }
    }
    return file;
}

std::string png_file(const RgbaPixels& image) {
    std::string file;
    stbi_write_png_to_func(write_to_string, &file, image.width, image.height, 4, image.bytes.data(),
                           image.width * 4);
    return file;
}

namespace {

void png_chunk(std::string& file, const char* type, const std::string& data) {
    const auto be32 = [&file](std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) file += static_cast<char>(v >> shift);
    };
    be32(static_cast<std::uint32_t>(data.size()));
    const std::string typed = type + data;
    file += typed;
    be32(static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size()))));
}

}  // namespace

std::string png_raw(int width, int height, int depth, int colour_type, bool interlaced,
                    const std::string& scanlines) {
    std::string ihdr;
    for (std::uint32_t v : {std::uint32_t(width), std::uint32_t(height)}) {
        for (int shift = 24; shift >= 0; shift -= 8) ihdr += static_cast<char>(v >> shift);
    }
    ihdr += {static_cast<char>(depth), static_cast<char>(colour_type), 0, 0,
             static_cast<char>(interlaced)};
    uLongf packed_size = compressBound(static_cast<uLong>(scanlines.size()));
    std::string packed(packed_size, '\0');
    compress(reinterpret_cast<Bytef*>(packed.data()), &packed_size,
             reinterpret_cast<const Bytef*>(scanlines.data()),
             static_cast<uLong>(scanlines.size()));
    packed.resize(packed_size);
    std::string file = "\x89PNG\r\n\x1a\n";
    png_chunk(file, "IHDR", ihdr);
    png_chunk(file, "IDAT", packed);
    png_chunk(file, "IEND", "");
    return file;
}

std::string jpg_file(const RgbaPixels& image) {
    std::string file;
    stbi_write_jpg_to_func(write_to_string, &file, image.width, image.height, 4, image.bytes.data(),
                           100);
    return file;
}

std::string pcx_runs(const std::vector<std::uint8_t>& bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t n = 1;
        while (i + n < bytes.size() && n < 63 && bytes[i + n] == bytes[i]) ++n;
        if (n > 1 || bytes[i] >= 0xC0) out += static_cast<char>(0xC0 | n);
        out += static_cast<char>(bytes[i]);
        i += n;
    }
    return out;
}

std::string pcx8_file(const RgbaPixels& image) {
    std::map<std::uint32_t, std::uint8_t> index;  // 0xRRGGBB -> palette entry
    std::string palette(768, '\0');
    Bytes b = pcx_header(image, 1);
    for (int y = 0; y < image.height; ++y) {
        std::vector<std::uint8_t> line(std::size_t(even(image.width)), 0);
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* p = image.at(x, y);
            const std::uint32_t rgb = std::uint32_t{p[0]} << 16 | p[1] << 8 | p[2];
            if (!index.count(rgb)) {
                if (index.size() == 256) throw std::length_error("more than 256 colours");
                const auto entry = static_cast<std::uint8_t>(index.size());
                index[rgb] = entry;
                std::copy(p, p + 3, palette.begin() + std::ptrdiff_t{3} * entry);
            }
            line[std::size_t(x)] = index[rgb];
        }
        b.raw(pcx_runs(line));
    }
    return b.u8(12).raw(palette).str();
}

std::string pcx24_file(const RgbaPixels& image) {
    Bytes b = pcx_header(image, 3);
    for (int y = 0; y < image.height; ++y) {
        for (int c = 0; c < 3; ++c) {
            std::vector<std::uint8_t> plane(std::size_t(even(image.width)), 0);
            for (int x = 0; x < image.width; ++x) plane[std::size_t(x)] = image.at(x, y)[c];
            b.raw(pcx_runs(plane));
        }
    }
    return b.str();
}

}  // namespace testing_pof
