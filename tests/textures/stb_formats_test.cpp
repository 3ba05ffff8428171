// PNG, JPEG and TGA through stb_image: what the files hold comes back, a file is decoded as
// what its first bytes say it is, and sizes past 8192 or data cut short are refused.

#include <gtest/gtest.h>

#include "image_files.h"
#include "pof_builder.h"
#include "sample_textures.h"
#include "texture_writers.h"

namespace {

using namespace texture_testing;
using testing_pof::Bytes;
using testing_pof::RgbaPixels;
using textures::ImageKind;
using textures::Verdict;

Bytes& u32_be(Bytes& b, std::uint32_t v) {
    return b.u8(std::uint8_t(v >> 24))
        .u8(std::uint8_t(v >> 16))
        .u8(std::uint8_t(v >> 8))
        .u8(std::uint8_t(v));
}

// The PNG signature and an IHDR chunk of 8-bit RGBA; the checksum is not looked at.
std::string png_header(std::uint32_t width, std::uint32_t height) {
    Bytes b;
    b.raw("\x89PNG\r\n\x1a\n");
    u32_be(b, 13).raw("IHDR");
    u32_be(b, width);
    u32_be(b, height).u8(8).u8(6).u8(0).u8(0).u8(0).i32(0);
    return b.str();
}

TEST(StbFormats, PngKeepsEveryPixelAndItsAlpha) {
    RgbaPixels pixels(3, 2);
    const std::uint32_t colours[6] = {0xff000080, 0x00ff00ff, 0x0000ffff,
                                      0x123456ff, 0xabcdefff, 0x00000000};
    for (int i = 0; i < 6; ++i) pixels.set(i % 3, i / 3, colours[i]);
    const std::string png = testing_pof::png_file(pixels);
    const auto d = decode(png, ImageKind::Png);
    ASSERT_EQ(d.verdict, Verdict::Ok) << d.reason;
    EXPECT_EQ(d.format, "PNG");
    EXPECT_EQ(pixels_of(d.image), std::vector<std::uint32_t>(colours, colours + 6));
    EXPECT_TRUE(d.has_alpha);
    // An empty IDAT chunk first (stb_image copied nothing to a null buffer for it; the fuzzer
    // found it) changes nothing.
    std::string empty_first = png;
    empty_first.insert(png.find("IDAT") - 4, std::string("\0\0\0\0IDAT\0\0\0\0", 12));
    const auto same = decode(empty_first, ImageKind::Png);
    ASSERT_EQ(same.verdict, Verdict::Ok) << same.reason;
    EXPECT_EQ(pixels_of(same.image), pixels_of(d.image));
}

TEST(StbFormats, TheFirstBytesDecideTheFormatNotTheName) {
    const std::string png = testing_pof::sample_textures()[2].bytes;
    const auto d = decode(png, ImageKind::Dds);
    ASSERT_EQ(d.verdict, Verdict::Ok) << d.reason;
    EXPECT_EQ(d.format, "PNG");
    EXPECT_FALSE(d.has_alpha);

    const auto nothing = decode("this is no image at all", ImageKind::Png);
    EXPECT_EQ(nothing.verdict, Verdict::Unreadable);
    EXPECT_EQ(nothing.reason, "the file does not start with a DDS, PNG, JPEG or PCX signature");
}

TEST(StbFormats, RefusesSizesPast8192AndDataCutShort) {
    const auto huge = decode(png_header(0x80000000u, 1), ImageKind::Png);
    EXPECT_EQ(huge.verdict, Verdict::Unreadable);
    EXPECT_EQ(huge.reason, "the PNG image is larger than 8192 pixels");
    const auto wide = probe(png_header(8193, 1), 64, ImageKind::Png);
    EXPECT_EQ(wide.verdict, Verdict::Unreadable);

    const auto fits = probe(png_header(8192, 16), 64, ImageKind::Png);
    EXPECT_EQ(fits.verdict, Verdict::Ok) << fits.reason;
    EXPECT_EQ(fits.width, 8192);
    EXPECT_EQ(fits.height, 16);
    // ... but its pixel data is missing.
    const auto no_data = decode(png_header(8192, 16), ImageKind::Png);
    EXPECT_EQ(no_data.verdict, Verdict::Unreadable);
    EXPECT_EQ(no_data.reason.rfind("the PNG data is damaged (", 0), 0u) << no_data.reason;

    const std::string png = testing_pof::sample_textures()[2].bytes;
    EXPECT_EQ(decode(png.substr(0, png.size() / 2), ImageKind::Png).verdict, Verdict::Unreadable);
    // stb_image would size its buffer by the length an IDAT chunk declares before reading it.
    Bytes idat;
    u32_be(idat, 0x7fffffffu).raw("IDAT").raw("\x78\x9c");
    const auto long_chunk = decode(png_header(4, 4) + idat.str(), ImageKind::Png);
    EXPECT_EQ(long_chunk.reason, "a PNG chunk runs past the end of the file");

    // A TGA header of 4 x 4 32-bit pixels followed by 10 bytes: stb_image would read zeros.
    const Bytes tga =
        Bytes().u8(0).u8(0).u8(2).raw(std::string(9, '\0')).i16(4).i16(4).u8(32).u8(8);
    const auto cut = decode(tga.str() + std::string(10, '\x7f'), ImageKind::Tga);
    EXPECT_EQ(cut.verdict, Verdict::Unreadable);
    EXPECT_EQ(cut.reason, "the TGA pixel data is cut short");
}

std::string flat_jpeg() {
    RgbaPixels pixels(16, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) pixels.set(x, y, 0x4080c0ff);
    }
    return testing_pof::jpg_file(pixels);
}

TEST(StbFormats, JpegDecodesCloseToWhatWasWritten) {
    const std::string jpg = flat_jpeg();
    const auto d = decode(jpg, ImageKind::Jpg);
    ASSERT_EQ(d.verdict, Verdict::Ok) << d.reason;
    EXPECT_EQ(d.format, "JPEG");
    const std::uint32_t c = d.image.rgba(8, 8);
    EXPECT_NEAR(int(c >> 24), 0x40, 3);
    EXPECT_NEAR(int(c >> 16 & 255), 0x80, 3);
    EXPECT_NEAR(int(c >> 8 & 255), 0xc0, 3);
    // A JPEG's size may follow more metadata than a probe reads: then it is not known, and
    // the file is not called unreadable for that.
    const auto start_only = probe(jpg, 20, ImageKind::Jpg);
    EXPECT_EQ(start_only.verdict, Verdict::Ok) << start_only.reason;
    EXPECT_EQ(start_only.width, 0);
}

// Sixteen code counts of 32 make a Huffman table of 512 codes (stb_image 2.27 wrote past its
// table for it); a scan naming a table no segment defined (stb_image read past its codes):
// both damaged, with the library's reason, from the probe as from the decode.
TEST(StbFormats, AJpegWithBadHuffmanTablesIsRefused) {
    std::string too_many = flat_jpeg();
    const auto dht = too_many.find("\xff\xc4");
    ASSERT_NE(dht, std::string::npos);
    for (std::size_t i = 0; i < 16; ++i) too_many[dht + 5 + i] = 32;
    std::string undefined = flat_jpeg();
    const auto sos = undefined.find("\xff\xda");
    ASSERT_NE(sos, std::string::npos);
    undefined[sos + 6] = 0x33;  // the first component's DC and AC tables: 3, defined by none
    for (const std::string& jpg : {too_many, undefined}) {
        const auto refused = decode(jpg, ImageKind::Jpg);
        EXPECT_EQ(refused.verdict, Verdict::Unreadable);
        EXPECT_TRUE(refused.reason.starts_with("the JPEG data is damaged (")) << refused.reason;
    }
    EXPECT_EQ(probe(too_many, too_many.size(), ImageKind::Jpg).verdict, Verdict::Unreadable);
}

}  // namespace
