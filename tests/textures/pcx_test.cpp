// The PCX decoder on files written byte by byte: palette indices and colour planes, runs that
// go on into the next line, the palette at the end, and headers the data cannot satisfy.

#include <gtest/gtest.h>

#include "image_files.h"
#include "pof_builder.h"
#include "sample_textures.h"

namespace {

using namespace texture_testing;
using testing_pof::Bytes;
using textures::ImageKind;
using textures::Verdict;

// The 128-byte header: maker 10, version 5, run-length coding, the window from (0, 0) to
// (width - 1, height - 1), the planes and the bytes of each line of a plane.
Bytes pcx_header(int width, int height, int planes, int line_bytes, int bits = 8) {
    Bytes b;
    b.u8(10).u8(5).u8(1).u8(std::uint8_t(bits));
    b.i16(0).i16(0).i16(std::int16_t(width - 1)).i16(std::int16_t(height - 1)).i16(72).i16(72);
    b.raw(std::string(48, '\0')).u8(0).u8(std::uint8_t(planes)).i16(std::int16_t(line_bytes));
    return b.i16(1).raw(std::string(58, '\0'));
}

// Marker 12 and 256 colours, entry i being (i, 2i, 3i) but for the entries given.
std::string palette(const std::vector<std::pair<int, std::uint32_t>>& entries) {
    std::string p(769, '\0');
    p[0] = 12;
    for (int i = 0; i < 256; ++i) {
        p[1 + 3 * i] = char(i), p[2 + 3 * i] = char(2 * i), p[3 + 3 * i] = char(3 * i);
    }
    for (const auto& [i, rgb] : entries) {
        const std::size_t at = 1 + 3 * std::size_t(i);
        p[at] = char(rgb >> 16), p[at + 1] = char(rgb >> 8), p[at + 2] = char(rgb);
    }
    return p;
}

TEST(Pcx, EightBitPixelsAreLookedUpInThePaletteAtTheEnd) {
    // Line 0: a run of three 1s, then the pad byte; line 1: 0, the value 0xC5 (which must be
    // coded as a run of one), 2 and the pad byte.
    const Bytes data = Bytes().u8(0xc3).u8(1).u8(0).u8(0).u8(0xc1).u8(0xc5).u8(2).u8(0);
    const std::string file =
        pcx_header(3, 2, 1, 4).str() + data.str() + palette({{1, 0xc86432}, {0xc5, 0x010203}});
    const auto d = decode(file, ImageKind::Pcx);
    ASSERT_EQ(d.verdict, Verdict::Ok) << d.reason;
    EXPECT_EQ(d.format, "PCX 8-bit");
    EXPECT_EQ(pixels_of(d.image), (std::vector<std::uint32_t>{0xc86432ff, 0xc86432ff, 0xc86432ff,
                                                              0x000000ff, 0x010203ff, 0x020406ff}));
    EXPECT_FALSE(d.has_alpha);
}

TEST(Pcx, ARunMayGoOnIntoTheNextLine) {
    const std::string file =
        pcx_header(4, 2, 1, 4).str() + Bytes().u8(0xc8).u8(7).str() + palette({});
    const auto d = decode(file, ImageKind::Pcx);
    ASSERT_EQ(d.verdict, Verdict::Ok) << d.reason;
    EXPECT_EQ(pixels_of(d.image), std::vector<std::uint32_t>(8, 0x070e15ff));
}

TEST(Pcx, TwentyFourBitLinesHoldTheRedGreenAndBluePlanesInTurn) {
    // 0xFF is above 0xBF, so it is coded as a run of one.
    const Bytes data = Bytes().u8(0xc1).u8(0xff).u8(0).u8(0).u8(0x80).u8(0x0a).u8(0x14);
    const auto d = decode(pcx_header(2, 1, 3, 2).str() + data.str(), ImageKind::Pcx);
    ASSERT_EQ(d.verdict, Verdict::Ok) << d.reason;
    EXPECT_EQ(d.format, "PCX 24-bit");
    EXPECT_EQ(pixels_of(d.image), (std::vector<std::uint32_t>{0xff000aff, 0x008014ff}));
}

TEST(Pcx, TheSampleDebrisTextureReadsBackAsItsPixels) {
    const auto d = decode(testing_pof::sample_textures()[3].bytes, ImageKind::Pcx);
    ASSERT_EQ(d.verdict, Verdict::Ok) << d.reason;
    const auto pixels = testing_pof::sample_texture_pixels(3);
    ASSERT_EQ(d.image.bytes(), pixels.bytes.size());
    EXPECT_TRUE(std::equal(pixels.bytes.begin(), pixels.bytes.end(), d.image.pixels().begin()));
}

struct Refusal {
    const char* what;
    std::string file;
    Verdict verdict;
    std::string reason;
};

TEST(Pcx, RefusesWhatItCannotDecodeWithTheReason) {
    const std::string line = Bytes().u8(0xc4).u8(1).str();  // one line of 4 bytes
    const std::string one_row = pcx_header(4, 8, 1, 4).str() + line + palette({});
    std::string no_marker = pcx_header(4, 1, 1, 4).str() + line + palette({});
    no_marker[no_marker.size() - 769] = 0;
    std::string wide = pcx_header(4, 1, 1, 4).str() + line + palette({});
    wide[8] = wide[9] = char(0xff);  // the window ends at x 65535
    std::string reversed = wide;
    reversed[4] = 5, reversed[8] = 4, reversed[9] = 0;  // from x 5 to x 4
    const std::vector<Refusal> cases{
        {"palette missing", pcx_header(4, 1, 1, 4).str() + line, Verdict::Unreadable,
         "the 256-colour palette is missing (the file ends before it)"},
        {"no palette marker", no_marker, Verdict::Unreadable,
         "the 256-colour palette is missing (no marker byte 12 before the last 768 bytes)"},
        {"data cut short", one_row, Verdict::Unreadable, "the PCX pixel data ends in row 1 of 8"},
        {"8192 x 8192 of 2 bytes", pcx_header(8192, 8192, 1, 8192).str() + line + palette({}),
         Verdict::Unreadable, "the PCX pixel data is too short for 8192 x 8192 pixels"},
        {"width 65536", wide, Verdict::Unreadable, "the width of 65536 pixels is more than 8192"},
        {"window reversed", reversed, Verdict::Unreadable,
         "the PCX image window ends before it starts"},
        {"lines shorter than the width", pcx_header(4, 1, 1, 3).str() + line + palette({}),
         Verdict::Unreadable, "the PCX lines hold 3 bytes, fewer than the width of 4"},
        {"header cut short", pcx_header(4, 1, 1, 4).str().substr(0, 60), Verdict::Unreadable,
         "the PCX header is cut short (60 of 128 bytes)"},
        {"4-bit", pcx_header(4, 1, 1, 2, 4).str() + line, Verdict::NotSupported,
         "PCX images of 4-bit pixels in 1 plane are not supported"},
    };
    for (const auto& c : cases) {
        const auto d = decode(c.file, ImageKind::Pcx);
        EXPECT_EQ(d.verdict, c.verdict) << c.what;
        EXPECT_EQ(d.reason, c.reason) << c.what;
        EXPECT_TRUE(d.image.empty()) << c.what;
    }
}

TEST(Pcx, ProbeSaysTheSizeFromTheHeaderAlone) {
    const auto facts =
        probe(pcx_header(3, 2, 3, 4).str() + std::string(30, '\x01'), 128, ImageKind::Pcx);
    EXPECT_EQ(facts.verdict, Verdict::Ok) << facts.reason;
    EXPECT_EQ(facts.format, "PCX 24-bit");
    EXPECT_EQ(facts.width, 3);
    EXPECT_EQ(facts.height, 2);
}

}  // namespace
