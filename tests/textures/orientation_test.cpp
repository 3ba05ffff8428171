// One convention for every format: row 0 of the decoded image, which v = 0 addresses, is the
// image's top row. Each file holds a 2 x 2 picture whose four pixels differ (a JPEG four
// 8 x 8 squares), top-left first as the format stores it.

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

struct Case {
    const char* name;
    std::string file;
    ImageKind kind;
    std::vector<std::uint32_t> corners;  // as decoded, in the order above
    int square = 1;                      // pixels a corner's square is across
    int tolerance = 0;
};

// Red and blue end points; indices 0 and 1 in the top row, 2 and 3 in the bottom row.
std::string colour_block() {
    return Bytes().i16(std::int16_t(0xf800)).i16(0x001f).u8(0x04).u8(0x0e).u8(0).u8(0).str();
}
const std::vector<std::uint32_t> kDxtCorners{kRed, kBlue, 0xaa0055ff, 0x5500aaff};

std::string dds_masked(int bits) {
    const std::uint32_t masks[4] = {0xff0000, 0x00ff00, 0x0000ff, 0};
    std::string file = dds_header(2, 2, bits, masks);
    for (const std::uint32_t c : kCorners) {
        file += {char(c >> 8), char(c >> 16), char(c >> 24)};  // B, G, R
        if (bits == 32) file += '\0';
    }
    return file;
}

testing_pof::RgbaPixels corners(int square) {
    testing_pof::RgbaPixels image(2 * square, 2 * square);
    for (int y = 0; y < 2 * square; ++y) {
        for (int x = 0; x < 2 * square; ++x) image.set(x, y, kCorners[y / square * 2 + x / square]);
    }
    return image;
}

// 32-bit TGA pixels (B, G, R, A); the descriptor's bit 5 says the top row comes first.
std::string tga(bool top_first) {
    Bytes b = Bytes().u8(0).u8(0).u8(2).raw(std::string(9, '\0')).i16(2).i16(2).u8(32);
    b.u8(top_first ? 0x28 : 0x08);
    const int rows[2][2] = {{0, 1}, {2, 3}};
    for (int r = 0; r < 2; ++r) {
        for (const int i : rows[top_first ? r : 1 - r]) {
            const std::uint32_t c = kCorners[i];
            b.u8(std::uint8_t(c >> 8)).u8(std::uint8_t(c >> 16)).u8(std::uint8_t(c >> 24)).u8(255);
        }
    }
    return b.str();
}

std::vector<Case> cases() {
    const std::string opaque_dxt5 = Bytes().u8(255).u8(255).raw(std::string(6, '\0')).str();
    const std::vector<std::uint32_t> all(kCorners, kCorners + 4);
    return {
        {"DDS DXT1", dds_header(2, 2, "DXT1") + colour_block(), ImageKind::Dds, kDxtCorners},
        {"DDS DXT3", dds_header(2, 2, "DXT3") + std::string(8, '\xff') + colour_block(),
         ImageKind::Dds, kDxtCorners},
        {"DDS DXT5", dds_header(2, 2, "DXT5") + opaque_dxt5 + colour_block(), ImageKind::Dds,
         kDxtCorners},
        {"DDS 24-bit", dds_masked(24), ImageKind::Dds, all},
        {"DDS 32-bit", dds_masked(32), ImageKind::Dds, all},
        {"PCX 8-bit", testing_pof::pcx8_file(corners(1)), ImageKind::Pcx, all},
        {"PCX 24-bit", testing_pof::pcx24_file(corners(1)), ImageKind::Pcx, all},
        {"PNG", testing_pof::png_file(corners(1)), ImageKind::Png, all},
        {"TGA rows upward", tga(false), ImageKind::Tga, all},
        {"TGA rows downward", tga(true), ImageKind::Tga, all},
        {"JPEG", testing_pof::jpg_file(corners(8)), ImageKind::Jpg, all, 8, 24},
    };
}

TEST(Orientation, RowZeroIsTheTopRowInEveryFormat) {
    for (const auto& c : cases()) {
        const auto d = decode(c.file, c.kind);
        ASSERT_EQ(d.verdict, textures::Verdict::Ok) << c.name << ": " << d.reason;
        ASSERT_EQ(d.image.width(), 2 * c.square) << c.name;
        for (int i = 0; i < 4; ++i) {
            const int x = i % 2 * c.square + c.square / 2, y = i / 2 * c.square + c.square / 2;
            const std::uint32_t got = d.image.rgba(x, y), want = c.corners[std::size_t(i)];
            for (int shift = 8; shift < 32; shift += 8) {
                EXPECT_NEAR(int(got >> shift & 255), int(want >> shift & 255), c.tolerance)
                    << c.name << ", corner " << i << ": " << std::hex << got;
            }
        }
    }
}

}  // namespace
