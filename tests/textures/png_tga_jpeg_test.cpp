// PNG (libpng), JPEG (libjpeg-turbo) and TGA: what the files hold comes back at every depth
// and colour type, a file is decoded as what its first bytes say it is, and sizes past 8192
// or data cut short are refused with a reason that says what is wrong.

#include <gtest/gtest.h>

#include "image_files.h"
#include "pof_builder.h"
#include "sample_textures.h"
#include "texture_writers.h"

namespace {

using namespace texture_testing;
using testing_pof::Bytes;
using testing_pof::png_raw;
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

TEST(PngTgaJpeg, PngKeepsEveryPixelAndItsAlpha) {
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
    // An empty IDAT chunk first (the fuzzer found a decoder that copied nothing to a null
    // buffer for it) changes nothing.
    std::string empty_first = png;
    empty_first.insert(png.find("IDAT") - 4, std::string("\0\0\0\0IDAT\0\0\0\0", 12));
    const auto same = decode(empty_first, ImageKind::Png);
    ASSERT_EQ(same.verdict, Verdict::Ok) << same.reason;
    EXPECT_EQ(pixels_of(same.image), pixels_of(d.image));
}

TEST(PngTgaJpeg, TheFirstBytesDecideTheFormatNotTheName) {
    const std::string png = testing_pof::sample_textures()[2].bytes;
    const auto d = decode(png, ImageKind::Dds);
    ASSERT_EQ(d.verdict, Verdict::Ok) << d.reason;
    EXPECT_EQ(d.format, "PNG");
    EXPECT_FALSE(d.has_alpha);

    const auto nothing = decode("this is no image at all", ImageKind::Png);
    EXPECT_EQ(nothing.verdict, Verdict::Unreadable);
    EXPECT_EQ(nothing.reason, "the file does not start with a DDS, PNG, JPEG or PCX signature");
}

TEST(PngTgaJpeg, RefusesSizesPast8192AndDataCutShort) {
    const auto huge = decode(png_header(0x80000000u, 1), ImageKind::Png);
    EXPECT_EQ(huge.verdict, Verdict::Unreadable);
    EXPECT_EQ(huge.reason, "the PNG image is larger than 8192 pixels");
    const auto wide = probe(png_header(8193, 1), 64, ImageKind::Png);
    EXPECT_EQ(wide.verdict, Verdict::Unreadable);

    const auto fits = probe(png_header(8192, 16), 64, ImageKind::Png);
    EXPECT_EQ(fits.verdict, Verdict::Ok) << fits.reason;
    EXPECT_EQ(fits.width, 8192);
    EXPECT_EQ(fits.height, 16);
    // ... but its pixel data is missing: refused before its 512 KiB image is made, as is one
    // whose IDAT data could not unpack to its rows even at deflate's best.
    const auto no_data = decode(png_header(8192, 16), ImageKind::Png);
    EXPECT_EQ(no_data.verdict, Verdict::Unreadable);
    EXPECT_EQ(no_data.reason, "the PNG image data is too short for its size");
    Bytes little;
    u32_be(little, 100).raw("IDAT").raw(std::string(100, '\0'));
    EXPECT_EQ(decode(png_header(8192, 16) + little.str(), ImageKind::Png).reason,
              "the PNG image data is too short for its size");
    // Another 1,000 bytes: enough for the rows at deflate's best, so libpng reads them.
    u32_be(little.raw(std::string(4, '\0')), 1000).raw("IDAT").raw(std::string(1000, '\0'));
    const auto enough = decode(png_header(8192, 16) + little.str(), ImageKind::Png);
    EXPECT_TRUE(enough.reason.starts_with("bad zlib data in IDAT (")) << enough.reason;

    const std::string png = testing_pof::sample_textures()[2].bytes;
    EXPECT_EQ(decode(png.substr(0, png.size() / 2), ImageKind::Png).reason,
              "the PNG data ends early");
    // An IDAT chunk that declares far more than the file holds: nothing is sized by it.
    Bytes idat;
    u32_be(idat, 0x7fffffffu).raw("IDAT").raw("\x78\x9c");
    const auto long_chunk = decode(png_header(4, 4) + idat.str(), ImageKind::Png);
    EXPECT_EQ(long_chunk.reason, "the PNG data ends early");

    // A TGA header of 4 x 4 32-bit pixels followed by 10 bytes.
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

TEST(PngTgaJpeg, JpegDecodesCloseToWhatWasWritten) {
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
TEST(PngTgaJpeg, AJpegWithBadHuffmanTablesIsRefused) {
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

// Big-endian 16-bit samples.
std::string be16(std::initializer_list<unsigned> samples) {
    std::string out;
    for (const unsigned v : samples) out += {static_cast<char>(v >> 8), static_cast<char>(v)};
    return out;
}

// A 16-bit file comes out as its samples' high bytes, whatever its colour type; a grey one
// as grey RGB, one without alpha opaque. Not square, so rows and columns cannot swap.
TEST(PngTgaJpeg, SixteenBitPngsComeOutAsEightBitRgba) {
    // 3 x 2 RGBA: each row a filter byte 0, then its pixels.
    const std::string rgba =
        std::string(1, '\0') + be16({0x1234, 0x56ff, 0x9a00, 0xffff}) +
        be16({0x0000, 0x0101, 0x0202, 0x8080}) + be16({0xfe00, 0x00fe, 0x7f7f, 0x0000}) +
        std::string(1, '\0') + be16({0xaaaa, 0xbbbb, 0xcccc, 0xdddd}) +
        be16({0x1111, 0x2222, 0x3333, 0x4444}) + be16({0xffff, 0xffff, 0xffff, 0xffff});
    const auto d = decode(png_raw(3, 2, 16, 6, false, rgba), ImageKind::Png);
    ASSERT_EQ(d.verdict, Verdict::Ok) << d.reason;
    EXPECT_EQ(d.image.width(), 3);
    EXPECT_EQ(d.image.height(), 2);
    EXPECT_EQ(pixels_of(d.image),
              (std::vector<std::uint32_t>{0x12569affu, 0x00010280u, 0xfe007f00u, 0xaabbccddu,
                                          0x11223344u, 0xffffffffu}));
    EXPECT_TRUE(d.has_alpha);

    // 2 x 3 grey: grey RGB, opaque.
    std::string grey;
    for (const unsigned v : {0x0000u, 0x10ffu, 0x2000u, 0x30ffu, 0xff00u, 0x8001u}) {
        if (grey.size() % 5 == 0) grey += '\0';
        grey += be16({v});
    }
    const auto g = decode(png_raw(2, 3, 16, 0, false, grey), ImageKind::Png);
    ASSERT_EQ(g.verdict, Verdict::Ok) << g.reason;
    EXPECT_EQ(pixels_of(g.image),
              (std::vector<std::uint32_t>{0x000000ffu, 0x101010ffu, 0x202020ffu, 0x303030ffu,
                                          0xffffffffu, 0x808080ffu}));
    EXPECT_FALSE(g.has_alpha);

    // 1 x 2 RGB: opaque.
    const std::string rgb = std::string(1, '\0') + be16({0x4000, 0x8000, 0xc000}) +
                            std::string(1, '\0') + be16({0x0100, 0x0200, 0x0300});
    const auto c = decode(png_raw(1, 2, 16, 2, false, rgb), ImageKind::Png);
    ASSERT_EQ(c.verdict, Verdict::Ok) << c.reason;
    EXPECT_EQ(pixels_of(c.image), (std::vector<std::uint32_t>{0x4080c0ffu, 0x010203ffu}));
}

// An interlaced file's seven passes each fill their own pixels of the one image: a 5 x 3
// 8-bit grey picture stored pass by pass comes out whole, each pixel where it belongs.
TEST(PngTgaJpeg, AnInterlacedPngFillsEveryPixelFromItsPass) {
    constexpr int kW = 5, kH = 3;
    const auto value = [](int x, int y) { return static_cast<char>(10 * y + x + 1); };
    struct Pass {
        int x0, y0, dx, dy;
    };
    const Pass passes[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                            {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    std::string stored;
    for (const Pass& p : passes) {
        if (p.x0 >= kW) continue;  // a pass with no column holds no row either
        for (int y = p.y0; y < kH; y += p.dy) {
            stored += '\0';
            for (int x = p.x0; x < kW; x += p.dx) stored += value(x, y);
        }
    }
    const auto d = decode(png_raw(kW, kH, 8, 0, true, stored), ImageKind::Png);
    ASSERT_EQ(d.verdict, Verdict::Ok) << d.reason;
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            const std::uint32_t v = static_cast<std::uint8_t>(value(x, y));
            EXPECT_EQ(d.image.rgba(x, y), v << 24 | v << 16 | v << 8 | 0xffu) << x << "," << y;
        }
    }
}

// A damaged body says what is wrong with it, and the header's faults are the probe's too.
TEST(PngTgaJpeg, APngsReasonSaysWhatIsWrong) {
    const std::string rows = std::string(1, '\0') + "abc" + std::string(1, '\0') + "def";
    const std::string sound = png_raw(3, 2, 8, 0, false, rows);
    ASSERT_EQ(decode(sound, ImageKind::Png).verdict, Verdict::Ok);
    const std::size_t data = sound.find("IDAT") + 4;

    std::string bad_zlib = sound;
    bad_zlib[data] = '\x07';  // no deflate method
    const auto z = decode(bad_zlib, ImageKind::Png);
    EXPECT_TRUE(z.reason.starts_with("bad zlib data in IDAT (")) << z.reason;

    const auto short_rows = decode(png_raw(3, 4, 8, 0, false, rows), ImageKind::Png);
    EXPECT_EQ(short_rows.reason, "the PNG image data ends early");
    EXPECT_EQ(decode(sound.substr(0, data + 2), ImageKind::Png).reason, "the PNG data ends early");

    std::string bad_type = sound;
    bad_type[8 + 8 + 9] = 5;  // colour type 5
    EXPECT_EQ(decode(bad_type, ImageKind::Png).reason,
              "the PNG colour type 5 at depth 8 is not one PNG defines");
    EXPECT_EQ(probe(bad_type, 64, ImageKind::Png).reason,
              "the PNG colour type 5 at depth 8 is not one PNG defines");
    EXPECT_EQ(probe(sound, 20, ImageKind::Png).reason, "the PNG header is cut short");
}

// An 18-byte TGA header: image type, size, bits a pixel, descriptor; a colour map when
// map_bits is not 0.
Bytes tga_header(int type, int width, int height, int bits, int descriptor, int map_length = 0,
                 int map_bits = 0) {
    return Bytes()
        .u8(0)
        .u8(map_bits ? 1 : 0)
        .u8(std::uint8_t(type))
        .i16(0)
        .i16(std::int16_t(map_length))
        .u8(std::uint8_t(map_bits))
        .raw(std::string(4, '\0'))
        .i16(std::int16_t(width))
        .i16(std::int16_t(height))
        .u8(std::uint8_t(bits))
        .u8(std::uint8_t(descriptor));
}

// Each kind of TGA pixel, run-length coded or not, in images that are not square.
TEST(PngTgaJpeg, EveryTgaPixelKindDecodes) {
    // 3 x 1 of 15-bit 5-5-5 (no alpha): red, green, blue at full.
    const auto rgb555 = decode(
        tga_header(2, 3, 1, 16, 0x20).i16(0x7c00).i16(0x03e0).i16(0x001f).str(), ImageKind::Tga);
    ASSERT_EQ(rgb555.verdict, Verdict::Ok) << rgb555.reason;
    EXPECT_EQ(pixels_of(rgb555.image),
              (std::vector<std::uint32_t>{0xff0000ffu, 0x00ff00ffu, 0x0000ffffu}));

    // 1 x 2 grey and alpha, stored bottom row first.
    const auto grey = decode(tga_header(3, 1, 2, 16, 0).u8(0x40).u8(0x80).u8(0xc0).u8(0xff).str(),
                             ImageKind::Tga);
    ASSERT_EQ(grey.verdict, Verdict::Ok) << grey.reason;
    EXPECT_EQ(pixels_of(grey.image), (std::vector<std::uint32_t>{0xc0c0c0ffu, 0x40404080u}));
    EXPECT_TRUE(grey.has_alpha);

    // 4 x 1 colour-mapped, run-length coded: a map of two 24-bit colours (B, G, R), a run of
    // three of index 1, then one raw index 0.
    const auto mapped = decode(tga_header(9, 4, 1, 8, 0x20, 2, 24)
                                   .raw("\x10\x20\x30")
                                   .raw("\x01\x02\x03")
                                   .u8(0x82)
                                   .u8(1)
                                   .u8(0x00)
                                   .u8(0)
                                   .str(),
                               ImageKind::Tga);
    ASSERT_EQ(mapped.verdict, Verdict::Ok) << mapped.reason;
    EXPECT_EQ(pixels_of(mapped.image),
              (std::vector<std::uint32_t>{0x030201ffu, 0x030201ffu, 0x030201ffu, 0x302010ffu}));

    // 2 x 3 of 24-bit, one run across the rows: runs may cross a row's end.
    const auto across =
        decode(tga_header(10, 2, 3, 24, 0x20).u8(0x85).raw("\x01\x02\x03").str(), ImageKind::Tga);
    ASSERT_EQ(across.verdict, Verdict::Ok) << across.reason;
    EXPECT_EQ(pixels_of(across.image), std::vector<std::uint32_t>(6, 0x030201ffu));
}

// A damaged TGA says what is wrong, never "unknown".
TEST(PngTgaJpeg, ATgasReasonSaysWhatIsWrong) {
    // Run-length coded 4 x 2: the header's least (one run) is there, but raw packets follow
    // that need more than the file holds.
    const auto cut =
        decode(tga_header(10, 4, 2, 24, 0).u8(0x03).raw("abcdef").str(), ImageKind::Tga);
    EXPECT_EQ(cut.reason, "the TGA pixel data is cut short");
    EXPECT_EQ(
        decode(tga_header(4, 2, 2, 24, 0).raw(std::string(12, 'x')).str(), ImageKind::Tga).reason,
        "the TGA image type is 4; only 1, 2, 3, 9, 10 and 11 are read");
    EXPECT_EQ(
        decode(tga_header(2, 2, 2, 12, 0).raw(std::string(12, 'x')).str(), ImageKind::Tga).reason,
        "the TGA pixels of 12 bits are unknown");
    EXPECT_EQ(decode(tga_header(1, 2, 2, 8, 0).raw("wxyz").str(), ImageKind::Tga).reason,
              "the TGA image is colour-mapped but has no colour map");
    EXPECT_EQ(decode(tga_header(2, 0, 2, 24, 0).str(), ImageKind::Tga).reason, "the width is 0");
    EXPECT_EQ(decode("short", ImageKind::Tga).reason, "the TGA header is cut short");
}

}  // namespace
