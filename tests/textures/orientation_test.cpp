// One convention for every format: row 0 of the decoded image, which v = 0 addresses, is the
// image's top row. Each file holds a picture of four coloured quarters, wider than high and
// again higher than wide (a JPEG's pixels squares of 8 x 8), top-left first as the format stores
// it: a decoder that swaps width and height, or reads rows bottom up, shows it.

#include <gtest/gtest.h>

#include "image_files.h"
#include "pof_builder.h"
#include "texture_writers.h"

namespace {

using namespace texture_testing;
using testing_pof::Bytes;
using testing_pof::dds_header;
using textures::ImageKind;

// Top-left, top-right, bottom-left, bottom-right.
constexpr std::uint32_t kRed = 0xff0000ff, kGreen = 0x00ff00ff, kBlue = 0x0000ffff,
                        kWhite = 0xffffffff;
constexpr std::uint32_t kCorners[4] = {kRed, kGreen, kBlue, kWhite};

// Pixels across and down; the quarter of (x, y) is the corner it is nearest, the middle
// column or row going left or up.
struct Shape {
    int width, height;
    int quarter(int x, int y) const { return (2 * y >= height) * 2 + (2 * x >= width); }
};
constexpr Shape kShapes[] = {{3, 2}, {2, 3}};

struct Case {
    const char* name;
    std::string file;
    ImageKind kind;
    std::vector<std::uint32_t> corners;  // as decoded, in the order above
    int square = 1;                      // pixels a picture's pixel is across
    int tolerance = 0;
};

// Red and blue end points; each pixel's 2-bit index is its quarter.
std::string colour_block(Shape s) {
    Bytes b = Bytes().i16(std::int16_t(0xf800)).i16(0x001f);
    for (int y = 0; y < 4; ++y) {
        int row = 0;
        for (int x = 0; x < 4; ++x)
            row |= (x < s.width && y < s.height ? s.quarter(x, y) : 0) << 2 * x;
        b.u8(std::uint8_t(row));
    }
    return b.str();
}
const std::vector<std::uint32_t> kDxtCorners{kRed, kBlue, 0xaa0055ff, 0x5500aaff};

std::string dds_masked(Shape s, int bits) {
    const std::uint32_t masks[4] = {0xff0000, 0x00ff00, 0x0000ff, 0};
    std::string file = dds_header(s.width, s.height, bits, masks);
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
            const std::uint32_t c = kCorners[s.quarter(x, y)];
            file += {char(c >> 8), char(c >> 16), char(c >> 24)};  // B, G, R
            if (bits == 32) file += '\0';
        }
    }
    return file;
}

testing_pof::RgbaPixels quarters(Shape s, int square) {
    testing_pof::RgbaPixels image(s.width * square, s.height * square);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            image.set(x, y, kCorners[s.quarter(x / square, y / square)]);
        }
    }
    return image;
}

// 32-bit TGA pixels (B, G, R, A); the descriptor's bit 5 says the top row comes first.
std::string tga(Shape s, bool top_first) {
    Bytes b = Bytes().u8(0).u8(0).u8(2).raw(std::string(9, '\0'));
    b.i16(std::int16_t(s.width)).i16(std::int16_t(s.height)).u8(32).u8(top_first ? 0x28 : 0x08);
    for (int r = 0; r < s.height; ++r) {
        for (int x = 0; x < s.width; ++x) {
            const std::uint32_t c = kCorners[s.quarter(x, top_first ? r : s.height - 1 - r)];
            b.u8(std::uint8_t(c >> 8)).u8(std::uint8_t(c >> 16)).u8(std::uint8_t(c >> 24)).u8(255);
        }
    }
    return b.str();
}

std::vector<Case> cases(Shape s) {
    const std::string opaque_dxt5 = Bytes().u8(255).u8(255).raw(std::string(6, '\0')).str();
    const std::vector<std::uint32_t> all(kCorners, kCorners + 4);
    const auto dxt = [&](const char* coding) { return dds_header(s.width, s.height, coding); };
    return {
        {"DDS DXT1", dxt("DXT1") + colour_block(s), ImageKind::Dds, kDxtCorners},
        {"DDS DXT3", dxt("DXT3") + std::string(8, '\xff') + colour_block(s), ImageKind::Dds,
         kDxtCorners},
        {"DDS DXT5", dxt("DXT5") + opaque_dxt5 + colour_block(s), ImageKind::Dds, kDxtCorners},
        {"DDS 24-bit", dds_masked(s, 24), ImageKind::Dds, all},
        {"DDS 32-bit", dds_masked(s, 32), ImageKind::Dds, all},
        {"PCX 8-bit", testing_pof::pcx8_file(quarters(s, 1)), ImageKind::Pcx, all},
        {"PCX 24-bit", testing_pof::pcx24_file(quarters(s, 1)), ImageKind::Pcx, all},
        {"PNG", testing_pof::png_file(quarters(s, 1)), ImageKind::Png, all},
        {"TGA rows upward", tga(s, false), ImageKind::Tga, all},
        {"TGA rows downward", tga(s, true), ImageKind::Tga, all},
        {"JPEG", testing_pof::jpg_file(quarters(s, 8)), ImageKind::Jpg, all, 8, 24},
    };
}

TEST(Orientation, RowZeroIsTheTopRowInEveryFormatAndShape) {
    for (const Shape s : kShapes) {
        for (const auto& c : cases(s)) {
            const std::string name = std::string(c.name) + " " + std::to_string(s.width) + " x " +
                                     std::to_string(s.height);
            const auto d = decode(c.file, c.kind);
            ASSERT_EQ(d.verdict, textures::Verdict::Ok) << name << ": " << d.reason;
            ASSERT_EQ(d.image.width(), s.width * c.square) << name;
            ASSERT_EQ(d.image.height(), s.height * c.square) << name;
            // The middle of every picture pixel.
            for (int y = 0; y < s.height; ++y) {
                for (int x = 0; x < s.width; ++x) {
                    const int half = c.square / 2;
                    const std::uint32_t got =
                        d.image.rgba(x * c.square + half, y * c.square + half);
                    const std::uint32_t want = c.corners[std::size_t(s.quarter(x, y))];
                    for (int shift = 8; shift < 32; shift += 8) {
                        EXPECT_NEAR(int(got >> shift & 255), int(want >> shift & 255), c.tolerance)
                            << name << ", pixel " << x << ", " << y << ": " << std::hex << got;
                    }
                }
            }
        }
    }
}

}  // namespace
