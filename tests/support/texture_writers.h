#pragma once
// Image files written from RGBA pixels: DDS (DXT1, DXT5), PNG, 8-bit and 24-bit PCX. The
// sample's textures and the texture tests use them; the DDS headers alone let a test follow
// them with blocks it writes byte by byte.

#include <cstdint>
#include <string>
#include <vector>

namespace testing_pof {

struct RgbaPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bytes;  // 4 per pixel, row 0 first

    RgbaPixels(int w, int h) : width(w), height(h), bytes(std::size_t(w) * std::size_t(h) * 4) {}
    std::uint8_t* at(int x, int y) { return &bytes[(std::size_t(y) * width + x) * 4]; }
    const std::uint8_t* at(int x, int y) const { return &bytes[(std::size_t(y) * width + x) * 4]; }
    void set(int x, int y, std::uint32_t rgba);  // 0xRRGGBBAA
};

// "DDS " and the 124-byte header of one compressed level; four_cc "DXT1", "DX10", ...
std::string dds_header(int width, int height, const char* four_cc, std::uint32_t caps2 = 0);
// The same for uncompressed pixels of `bits` bits with masks R, G, B, A (alpha flagged when
// its mask is not 0).
std::string dds_header(int width, int height, int bits, const std::uint32_t (&masks)[4]);

// A whole DDS file, the pixels coded by stb_dxt: DXT5 when `alpha`, else DXT1.
std::string dds_file(const RgbaPixels& image, bool alpha);
std::string png_file(const RgbaPixels& image);
// A PNG of any colour type and depth from its scanlines as stored (each row's filter byte,
// then its samples, big-endian), compressed by zlib.
std::string png_raw(int width, int height, int depth, int colour_type, bool interlaced,
                    const std::string& scanlines);
// Quality 100; JPEG drops alpha and blurs colours a little.
std::string jpg_file(const RgbaPixels& image);
// 8-bit PCX: the image must hold at most 256 colours (alpha is dropped).
std::string pcx8_file(const RgbaPixels& image);
std::string pcx24_file(const RgbaPixels& image);
// One line or plane of PCX run-length coding.
std::string pcx_runs(const std::vector<std::uint8_t>& bytes);

}  // namespace testing_pof
