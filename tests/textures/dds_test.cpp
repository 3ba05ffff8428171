// The DDS decoder on headers and blocks written byte by byte: each DXT coding's colour and
// alpha modes, the masked 24- and 32-bit pixels, and headers that lie or ask for what is not
// decoded.

#include <gtest/gtest.h>

#include "image_files.h"
#include "pof_builder.h"
#include "texture_writers.h"

namespace {

using namespace texture_testing;
using testing_pof::Bytes;
using testing_pof::dds_header;
using textures::ImageKind;
using textures::Verdict;

constexpr std::uint32_t kRed = 0xff0000ff, kBlue = 0x0000ffff;

// A colour half: end points c0 and c1 (5:6:5), then the first row's four 2-bit indices;
// the other rows use index 0.
Bytes colour_block(std::uint16_t c0, std::uint16_t c1, std::uint8_t first_row) {
    return Bytes().i16(std::int16_t(c0)).i16(std::int16_t(c1)).u8(first_row).u8(0).u8(0).u8(0);
}

std::vector<std::uint32_t> first_row(const textures::Image& image) {
    return {image.rgba(0, 0), image.rgba(1, 0), image.rgba(2, 0), image.rgba(3, 0)};
}

TEST(Dds, Dxt1FourColourBlockInterpolatesItsEndPoints) {
    // Indices 0, 1, 2, 3 in the first row (0b11'10'01'00).
    const auto d =
        decode(dds_header(4, 4, "DXT1") + colour_block(0xf800, 0x001f, 0xe4).str(), ImageKind::Dds);
    ASSERT_EQ(d.verdict, Verdict::Ok) << d.reason;
    EXPECT_EQ(d.format, "DDS DXT1");
    EXPECT_EQ(first_row(d.image),
              (std::vector<std::uint32_t>{kRed, kBlue, 0xaa0055ff, 0x5500aaff}));
    EXPECT_EQ(d.image.rgba(3, 3), kRed);
    EXPECT_FALSE(d.has_alpha);
}

TEST(Dds, Dxt1ThreeColourBlockHasTransparentBlack) {
    // c0 <= c1: index 2 is the mean, index 3 transparent black; equal end points too.
    const auto d =
        decode(dds_header(4, 4, "DXT1") + colour_block(0x001f, 0xf800, 0xe4).str(), ImageKind::Dds);
    ASSERT_EQ(d.verdict, Verdict::Ok) << d.reason;
    EXPECT_EQ(first_row(d.image), (std::vector<std::uint32_t>{kBlue, kRed, 0x7f007fff, 0}));
    EXPECT_TRUE(d.has_alpha);
    const auto equal =
        decode(dds_header(4, 4, "DXT1") + colour_block(0x001f, 0x001f, 0xe4).str(), ImageKind::Dds);
    EXPECT_EQ(first_row(equal.image), (std::vector<std::uint32_t>{kBlue, kBlue, kBlue, 0}));
}

TEST(Dds, Dxt3HasExplicitAlphaAndAlwaysFourColours) {
    // Alphas 0, 15, 8, 15 in the first row; the colour half's c0 < c1 must not switch to
    // three colours as DXT1 would: index 3 is (c0 + 2 c1) / 3, opaque.
    const Bytes alpha = Bytes().u8(0xf0).u8(0xf8).i32(-1).i16(-1);
    const auto d =
        decode(dds_header(4, 4, "DXT3") + alpha.str() + colour_block(0x0000, 0xffff, 0xc0).str(),
               ImageKind::Dds);
    ASSERT_EQ(d.verdict, Verdict::Ok) << d.reason;
    EXPECT_EQ(first_row(d.image),
              (std::vector<std::uint32_t>{0x00000000, 0x000000ff, 0x00000088, 0xaaaaaaff}));
    EXPECT_TRUE(d.has_alpha);
}

TEST(Dds, Dxt5InterpolatesAlphaInBothModes) {
    // Alpha indices 0, 1, 2, 7 in the first row: 3 bits each from the lowest.
    const auto indices = Bytes().u8(0x88).u8(0x0e).u8(0).u8(0).u8(0).u8(0);
    const std::string white = colour_block(0xffff, 0xffff, 0).str();
    const auto eight =
        decode(dds_header(4, 4, "DXT5") + Bytes().u8(255).u8(0).str() + indices.str() + white,
               ImageKind::Dds);
    ASSERT_EQ(eight.verdict, Verdict::Ok) << eight.reason;
    EXPECT_EQ(first_row(eight.image),
              (std::vector<std::uint32_t>{0xffffffff, 0xffffff00, 0xffffffda, 0xffffff24}));
    // a0 <= a1: six steps, then 0 and 255 (index 2 is 4/5 a0 + 1/5 a1, index 7 is 255).
    const auto six =
        decode(dds_header(4, 4, "DXT5") + Bytes().u8(0).u8(255).str() + indices.str() + white,
               ImageKind::Dds);
    ASSERT_EQ(six.verdict, Verdict::Ok) << six.reason;
    EXPECT_EQ(first_row(six.image),
              (std::vector<std::uint32_t>{0xffffff00, 0xffffffff, 0xffffff33, 0xffffffff}));
    // a0 == a1 is the six-step mode too: index 7 is 255, not a0.
    const auto equal =
        decode(dds_header(4, 4, "DXT5") + Bytes().u8(128).u8(128).str() + indices.str() + white,
               ImageKind::Dds);
    EXPECT_EQ(first_row(equal.image),
              (std::vector<std::uint32_t>{0xffffff80, 0xffffff80, 0xffffff80, 0xffffffff}));
}

TEST(Dds, EdgeBlocksAreCutToTheImageAndLaterMipmapsIgnored) {
    // 5 x 3: two blocks across, one down; a smaller level follows that must not be read.
    const std::string file = dds_header(5, 3, "DXT1") + colour_block(0xf800, 0xf800, 0).str() +
                             colour_block(0x001f, 0x001f, 0).str() +
                             colour_block(0xffff, 0xffff, 0).str();
    const auto d = decode(file, ImageKind::Dds);
    ASSERT_EQ(d.verdict, Verdict::Ok) << d.reason;
    ASSERT_EQ(d.image.width(), 5);
    ASSERT_EQ(d.image.height(), 3);
    EXPECT_EQ(d.image.rgba(3, 2), kRed);
    EXPECT_EQ(d.image.rgba(4, 0), kBlue);
}

TEST(Dds, UncompressedPixelsFollowTheirMasks) {
    const std::uint32_t bgra[4] = {0x00ff0000, 0x0000ff00, 0x000000ff, 0xff000000};
    const auto with_alpha = decode(dds_header(1, 1, 32, bgra) + "\x10\x20\x30\x40", ImageKind::Dds);
    ASSERT_EQ(with_alpha.verdict, Verdict::Ok) << with_alpha.reason;
    EXPECT_EQ(with_alpha.format, "DDS 32-bit");
    EXPECT_EQ(with_alpha.image.rgba(0, 0), 0x30201040u);
    EXPECT_TRUE(with_alpha.has_alpha);

    const std::uint32_t rgb[4] = {0x0000ff, 0x00ff00, 0xff0000, 0};
    const auto opaque =
        decode(dds_header(2, 1, 24, rgb) + "\x10\x20\x30\x40\x50\x60", ImageKind::Dds);
    ASSERT_EQ(opaque.verdict, Verdict::Ok) << opaque.reason;
    EXPECT_EQ(opaque.format, "DDS 24-bit");
    EXPECT_EQ(pixels_of(opaque.image), (std::vector<std::uint32_t>{0x102030ff, 0x405060ff}));

    // Four bits of red widen to eight: 0xf is 255, 0x8 is 136.
    const std::uint32_t narrow[4] = {0xf00000, 0x00ff00, 0x0000ff, 0};
    const auto widened =
        decode(dds_header(1, 1, 24, narrow) + std::string("\x00\x00\x80", 3), ImageKind::Dds);
    EXPECT_EQ(widened.image.rgba(0, 0), 0x880000ffu);
}

struct Refusal {
    const char* what;
    std::string file;
    Verdict verdict;
    std::string reason;
};

TEST(Dds, RefusesWhatItCannotDecodeWithTheReason) {
    const std::string block = colour_block(0, 0, 0).str();
    const std::string dxt1 = dds_header(4, 4, "DXT1") + block;
    const std::uint32_t masks16[4] = {0xf800, 0x07e0, 0x001f, 0};
    const std::uint32_t gaps[4] = {0xf0f000, 0x00ff00, 0x0000ff, 0};
    const std::vector<Refusal> cases{
        {"width 2^31", with_u32(dxt1, 16, 0x80000000u), Verdict::Unreadable,
         "the width of 2147483648 pixels is more than 8192"},
        {"height 0", with_u32(dxt1, 12, 0), Verdict::Unreadable, "the height is 0"},
        {"data cut short", dxt1.substr(0, dxt1.size() - 1), Verdict::Unreadable,
         "the DDS image data is cut short (7 of 8 bytes)"},
        {"8192 x 8192 of 8 bytes", with_u32(with_u32(dxt1, 12, 8192), 16, 8192),
         Verdict::Unreadable, "the DDS image data is cut short (8 of 33554432 bytes)"},
        {"header cut short", dxt1.substr(0, 100), Verdict::Unreadable,
         "the DDS header is cut short (100 of 128 bytes)"},
        {"header size", with_u32(dxt1, 4, 100), Verdict::Unreadable,
         "the DDS header gives its size as 100 bytes, not 124"},
        {"DX10", dds_header(4, 4, "DX10") + block + block, Verdict::NotSupported,
         "the DX10 header is not supported"},
        {"cube map", dds_header(4, 4, "DXT1", 0xfe00) + block, Verdict::NotSupported,
         "cube maps are not supported"},
        {"volume", dds_header(4, 4, "DXT1", 0x200000) + block, Verdict::NotSupported,
         "volume textures are not supported"},
        {"ATI2", dds_header(4, 4, "ATI2") + block + block, Verdict::NotSupported,
         "the DDS compression \"ATI2\" is not supported"},
        {"16-bit", dds_header(1, 1, 16, masks16) + std::string(2, '\0'), Verdict::NotSupported,
         "16-bit DDS colour is not supported"},
        {"mask with a gap", dds_header(1, 1, 24, gaps) + "abc", Verdict::Unreadable,
         "a DDS channel mask is not one run of bits"},
    };
    for (const auto& c : cases) {
        const auto d = decode(c.file, ImageKind::Dds);
        EXPECT_EQ(d.verdict, c.verdict) << c.what;
        EXPECT_EQ(d.reason, c.reason) << c.what;
        EXPECT_TRUE(d.image.empty()) << c.what;
        // The header alone says the same.
        EXPECT_EQ(probe(c.file, 128, ImageKind::Dds).reason, c.reason) << c.what;
    }
}

TEST(Dds, ProbeReadsTheHeaderAndKnowsTheFileSize) {
    const std::string file = dds_header(8, 4, "DXT5") + std::string(32, '\0');
    const auto facts = probe(file, 128, ImageKind::Dds);
    EXPECT_EQ(facts.verdict, Verdict::Ok) << facts.reason;
    EXPECT_EQ(facts.format, "DDS DXT5");
    EXPECT_EQ(facts.width, 8);
    EXPECT_EQ(facts.height, 4);
}

}  // namespace
