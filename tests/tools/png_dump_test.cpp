// pofdump --png and --thumbnail: the picture written, its size, what it shows at that step,
// and the refusals that write nothing.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "dump_fixture.h"
#include "every_chunk_model.h"
#include "pof_builder.h"
#include "ship_model.h"
#include "textures/decode.h"

namespace {

using dump_testing::dump;
using dump_testing::TempFile;

textures::DecodedImage read_png(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::string data = bytes.str();
    return textures::decode_image({reinterpret_cast<const std::uint8_t*>(data.data()), data.size()},
                                  textures::ImageKind::Png);
}

std::array<int, 4> pixel(const textures::Image& image, int x, int y) {
    const auto p = image.pixels().subspan((static_cast<std::size_t>(y) * image.width() + x) * 4);
    return {p[0], p[1], p[2], p[3]};
}

class PngDump : public ::testing::Test {
  protected:
    const TempFile ship{testing_pof::ship_model()};
    std::string out(const std::string& name) const { return ship.path() + name; }
    void TearDown() override {
        for (const char* name : {".png", ".1.png", ".thumb.png"})
            std::filesystem::remove(out(name));
    }
};

// The default picture is the fitted view at 512 x 512 on the window's background; the
// detail level and toggles chosen before the step change it, later ones do not.
TEST_F(PngDump, DrawsTheModelViewAsItStandsAtTheStep) {
    const auto d = dump({"--png", out(".png"), "--view", "MODEL", "--choose", "1:1", "--png",
                         out(".1.png"), "--view", "TXTR", ship.path()});
    ASSERT_EQ(d.status, 0) << d.err;
    EXPECT_TRUE(d.out.starts_with("frmTXTR")) << d.out;  // a picture changes no current window
    const auto level0 = read_png(out(".png")), level1 = read_png(out(".1.png"));
    ASSERT_EQ(level0.verdict, textures::Verdict::Ok) << level0.reason;
    EXPECT_EQ(level0.image.width(), 512);
    EXPECT_EQ(level0.image.height(), 512);
    EXPECT_EQ(pixel(level0.image, 0, 0), (std::array<int, 4>{28, 31, 38, 255}));
    EXPECT_EQ(pixel(level0.image, 256, 256)[3], 255);
    EXPECT_NE(pixel(level0.image, 256, 256), pixel(level0.image, 0, 0));
    ASSERT_EQ(level1.verdict, textures::Verdict::Ok);
    EXPECT_FALSE(std::equal(level0.image.pixels().begin(), level0.image.pixels().end(),
                            level1.image.pixels().begin()));
}

// A thumbnail is square, on a clear background, and draws no markers: the same with every
// marker switched off beforehand.
TEST_F(PngDump, ThumbnailsAreSquareClearAndWithoutMarkers) {
    const auto d = dump({"--size", "96x64", "--thumbnail", out(".thumb.png"), ship.path()});
    ASSERT_EQ(d.status, 0) << d.err;
    EXPECT_EQ(d.out, "");  // a thumbnailer wants the PNG only
    const auto thumb = read_png(out(".thumb.png"));
    ASSERT_EQ(thumb.verdict, textures::Verdict::Ok);
    EXPECT_EQ(thumb.image.width(), 96);
    EXPECT_EQ(thumb.image.height(), 96);
    EXPECT_EQ(pixel(thumb.image, 0, 0), (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(pixel(thumb.image, 48, 48)[3], 255);

    const auto png = dump({"--size", "96", "--png", out(".png"), ship.path()});
    ASSERT_EQ(png.status, 0) << png.err;
    const auto with_markers = read_png(out(".png"));
    int differ = 0;
    for (int y = 0; y < 96; ++y) {
        for (int x = 0; x < 96; ++x) {
            const auto a = pixel(thumb.image, x, y), b = pixel(with_markers.image, x, y);
            differ += a[3] == 255 && b[3] == 255 && a != b;
        }
    }
    EXPECT_GT(differ, 20) << "the markers should show in --png and not in the thumbnail";
}

// Sizes out of range and files that cannot be written: one message, status 1, no file.
TEST_F(PngDump, RefusesWhatItCannotDrawOrWrite) {
    // Checked once for both steps, the sides named as given.
    const std::pair<const char*, const char*> sizes[] = {
        {"0", "0 \u00d7 0"},
        {"8193", "8193 \u00d7 8193"},
        {"100x0", "100 \u00d7 0"},
        {"0x5", "0 \u00d7 5"},
        {"4294967297", "4294967297 \u00d7 4294967297"},
        {"0099999999999999999999x12", "99999999999999999999 \u00d7 12"}};
    for (const auto& [size, shown] : sizes) {
        for (const char* step : {"--png", "--thumbnail"}) {
            const auto d = dump({"--size", size, step, out(".png"), ship.path()});
            EXPECT_EQ(d.status, 1) << size << " " << step;
            EXPECT_EQ(d.err, std::string("pofdump: a picture of ") + shown +
                                 " pixels cannot be drawn: each side is 1 to 8192 pixels\n");
            EXPECT_FALSE(std::filesystem::exists(out(".png")));
        }
    }
    const std::string fifo = out(".fifo.png");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto on_fifo = dump({"--png", fifo, ship.path()});
    EXPECT_EQ(on_fifo.status, 1);
    EXPECT_EQ(on_fifo.err, "pofdump: cannot write " + fifo + ": not a regular file\n");
    std::filesystem::remove(fifo);
    const auto no_folder = dump({"--thumbnail", out(".none/x.png"), ship.path()});
    EXPECT_EQ(no_folder.status, 1);
    EXPECT_EQ(no_folder.err,
              "pofdump: cannot write " + out(".none/x.png") + ": No such file or directory\n");
    const auto no_header = dump({"--thumbnail", out(".png"), TempFile("PSPO").path()});
    EXPECT_EQ(no_header.status, 1);
    EXPECT_FALSE(std::filesystem::exists(out(".png")));
    // A header and nothing to draw: no blank picture.
    const TempFile bare(
        testing_pof::PofBuilder(2117).chunk("HDR2", testing_pof::header_body(2117)).str());
    const auto nothing = dump({"--thumbnail", out(".png"), bare.path()});
    EXPECT_EQ(nothing.status, 1);
    EXPECT_EQ(nothing.out, "");
    EXPECT_EQ(nothing.err,
              "pofdump: the model has no polygon at detail level 0: no thumbnail of "
              "it was written to " +
                  out(".png") + "\n");
    EXPECT_FALSE(std::filesystem::exists(out(".png")));
}

TEST_F(PngDump, SizesAreDigits) {
    for (const char* size : {"", "x", "12x", "-5", "1.5", "12x12x12"}) {
        const auto d = dump({"--size", size, "--png", out(".png"), ship.path()});
        EXPECT_EQ(d.status, 2) << size;
    }
    EXPECT_EQ(dump({"--size", "64", ship.path()}).err.rfind("pofdump: --size goes with --png", 0),
              0u);
}

// A file name that looks like an option (a shell's * can give one) is quoted in the one-line
// form: its escape and bell reach the terminal as visible symbols.
TEST(UsageErrors, QuoteNamesInTheOneLineForm) {
    const auto d = dump({"--check", "-\x1B[31m\x07.pof"});
    EXPECT_EQ(d.status, 2);
    EXPECT_EQ(d.err.substr(0, d.err.find('\n')),
              "pofdump: unknown option -\xE2\x90\x9B[31m\xE2\x90\x87.pof");
}

}  // namespace
