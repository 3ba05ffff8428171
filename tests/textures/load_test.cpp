// Loading found textures: from a loose file or an archive, the header alone for a probe,
// files that are no image or no regular file, and the memory budget that halves or leaves
// out what does not fit.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "folder_tree.h"
#include "image_files.h"
#include "sample_textures.h"
#include "texture_writers.h"
#include "textures/load.h"
#include "textures/texture_file.h"

namespace {

using namespace texture_testing;
using textures::TextureBudget;
using textures::Verdict;

textures::DecodedImage opaque_image(int width, int height, std::uint8_t grey) {
    textures::DecodedImage d{Verdict::Ok, "", "PNG", textures::Image(width, height), false};
    for (auto& b : d.image.pixels()) b = grey;
    for (std::size_t i = 3; i < d.image.bytes(); i += 4) d.image.pixels()[i] = 255;
    return d;
}

TEST(TextureLoad, HalvingAveragesEachTwoByTwoAndSizesAsOpenGlDoes) {
    textures::Image image(3, 2);
    const std::uint8_t values[6] = {0, 100, 255, 50, 150, 7};
    for (int i = 0; i < 6; ++i) {
        for (int c = 0; c < 4; ++c) image.row(i / 3)[(i % 3) * 4 + c] = values[i];
    }
    const auto half = textures::halve(image);
    ASSERT_EQ(half.width(), 1);
    ASSERT_EQ(half.height(), 1);
    EXPECT_EQ(half.rgba(0, 0), 0x4b4b4b4bu);  // (0 + 100 + 50 + 150) / 4 = 75
    const auto levels = textures::mipmaps(textures::Image(8, 2));
    ASSERT_EQ(levels.size(), 3u);
    EXPECT_EQ(levels[0].width(), 4);
    EXPECT_EQ(levels[2].width(), 1);
    EXPECT_EQ(levels[2].height(), 1);
    EXPECT_EQ(textures::bytes_with_mipmaps(4, 2), std::size_t(4 * 2 + 2 * 1 + 1) * 4);
}

TEST(TextureLoad, TheBudgetHalvesWhatDoesNotFitAndLeavesOutWhatNeverFits) {
    TextureBudget budget(textures::bytes_with_mipmaps(64, 64) +
                         textures::bytes_with_mipmaps(16, 16));
    const auto first = textures::fit_texture(opaque_image(64, 64, 9), budget);
    EXPECT_EQ(first.halvings, 0);
    ASSERT_EQ(first.levels.size(), 7u);  // 64 down to 1
    EXPECT_EQ(textures::texture_status(first), "PNG, 64 \u00d7 64");

    const auto second = textures::fit_texture(opaque_image(64, 32, 9), budget);
    EXPECT_EQ(second.halvings, 2);
    ASSERT_FALSE(second.levels.empty());
    EXPECT_EQ(second.levels[0].width(), 16);
    EXPECT_EQ(second.levels[0].rgba(3, 3), 0x090909ffu);
    EXPECT_EQ(textures::texture_status(second),
              "PNG, 64 \u00d7 32, shown at 16 \u00d7 8 (over the texture budget)");
    EXPECT_EQ(budget.left(),
              textures::bytes_with_mipmaps(16, 16) - textures::bytes_with_mipmaps(16, 8));

    TextureBudget spent(2);
    const auto third = textures::fit_texture(opaque_image(4, 4, 9), spent);
    EXPECT_TRUE(third.left_out);
    EXPECT_TRUE(third.levels.empty());
    EXPECT_EQ(spent.left(), 2u);
    EXPECT_EQ(textures::texture_status(third),
              "PNG, 4 \u00d7 4, left out (over the texture budget)");
}

TEST(TextureLoad, LooseAndArchivedFilesDecode) {
    FolderTree tree;
    const auto samples = testing_pof::sample_textures();
    tree.file("hull.dds", samples[0].bytes);
    const MemoryArchive archive({{"turret.dds", samples[1].bytes}});
    const auto s = textures::find_textures(std::vector<std::string>{"hull", "turret"},
                                           {tree / "ship.pof", {}, {&archive}});
    TextureBudget budget;
    const auto hull = textures::load_texture(*s.textures[0].found, budget);
    EXPECT_EQ(textures::texture_status(hull), "DDS DXT1, 128 \u00d7 128");
    EXPECT_FALSE(hull.has_alpha);
    const auto turret = textures::load_texture(*s.textures[1].found, budget);
    EXPECT_EQ(textures::texture_status(turret), "DDS DXT5, 128 \u00d7 128");
    EXPECT_TRUE(turret.has_alpha);
    EXPECT_EQ(budget.left(), textures::kTextureBudget - 2 * textures::bytes_with_mipmaps(128, 128));
    // A load asked to stop shows nothing and takes nothing.
    std::stop_source stop;
    stop.request_stop();
    EXPECT_TRUE(
        textures::load_texture(*s.textures[0].found, budget, stop.get_token()).levels.empty());
    EXPECT_EQ(budget.left(), textures::kTextureBudget - 2 * textures::bytes_with_mipmaps(128, 128));
}

TEST(TextureLoad, FilesThatAreNoImageOrNoRegularFileAreUnreadable) {
    FolderTree tree;
    tree.file("empty.dds", "");
    tree.file("cut.dds", testing_pof::sample_textures()[0].bytes.substr(0, 200));
    ASSERT_EQ(::mkfifo((tree / "pipe.png").c_str(), 0600), 0);
    const auto s = textures::find_textures(std::vector<std::string>{"empty", "cut", "pipe"},
                                           {tree / "ship.pof"});
    TextureBudget budget;
    EXPECT_EQ(textures::texture_status(textures::load_texture(*s.textures[0].found, budget)),
              "unreadable: the file does not start with a DDS, PNG, JPEG or PCX signature");
    EXPECT_EQ(textures::texture_status(textures::load_texture(*s.textures[1].found, budget)),
              "unreadable: the DDS image data is cut short (72 of 8192 bytes)");
    EXPECT_EQ(budget.left(), textures::kTextureBudget);
    // A FIFO is no file the search lists; named directly, it is refused without waiting for
    // a writer.
    EXPECT_FALSE(s.textures[2].found);
    textures::FoundTexture pipe;
    pipe.path = tree / "pipe.png";
    pipe.kind = textures::ImageKind::Png;
    EXPECT_EQ(textures::decode_texture(pipe).reason, "it is not a regular file");
}

// The stored form: a DXT file's levels as it holds them, the budget counting their stored
// bytes; any other file, or a DXT file too large for what is left, decoded as before.
TEST(TextureLoad, TheStoredFormKeepsTheFilesDxtLevelsWithinTheBudget) {
    // 16 x 8 DXT5: levels of 128, 32, 16, 16 and 16 bytes down to 1 x 1.
    const std::string dxt5 = testing_pof::dds_header(16, 8, "DXT5") + std::string(208, '\x11');
    FolderTree tree;
    tree.file("full.dds", with_u32(dxt5, 28, 5));
    tree.file("past.dds", with_u32(dxt5, 28, 9));                      // counts past 1 x 1
    tree.file("cut.dds", with_u32(dxt5, 28, 5).substr(0, 128 + 170));  // two levels whole
    tree.file("hull.dds", testing_pof::sample_textures()[0].bytes);    // DXT1, one level
    tree.file("flat.png", testing_pof::png_file(testing_pof::RgbaPixels(4, 4)));
    const auto s = textures::find_textures(
        std::vector<std::string>{"full", "past", "cut", "hull", "flat"}, {tree / "ship.pof"});
    const auto stored = [&](int t, std::size_t budget) {
        TextureBudget b(budget);
        auto loaded = textures::load_texture(*s.textures[std::size_t(t)].found, b, {},
                                             textures::TextureForm::Stored);
        return std::pair(std::move(loaded), budget - b.left());
    };
    const struct {
        int texture;
        std::size_t budget;
        std::size_t taken;
        const char* status;
    } cases[] = {
        {0, 1000, 208, "DDS DXT5, 16 \u00d7 8, compressed, 5 levels"},
        {1, 1000, 208, "DDS DXT5, 16 \u00d7 8, compressed, 5 levels"},
        {2, 1000, 160, "DDS DXT5, 16 \u00d7 8, compressed, 2 levels"},
        {0, 100, 80,
         "DDS DXT5, 16 \u00d7 8, shown at 8 \u00d7 4 (over the texture budget), "
         "compressed, 4 levels"},
        // Past its smallest level: decoded, halved to fit.
        {0, 12, 12, "DDS DXT5, 16 \u00d7 8, shown at 2 \u00d7 1 (over the texture budget)"},
        {3, 1u << 20, 8192, "DDS DXT1, 128 \u00d7 128, compressed, 1 level"},
        {4, 1000, textures::bytes_with_mipmaps(4, 4), "PNG, 4 \u00d7 4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        const auto [t, taken] = stored(c.texture, c.budget);
        EXPECT_EQ(textures::texture_status(t), c.status);
        EXPECT_EQ(taken, c.taken);
        EXPECT_EQ(t.coding.has_value(), t.levels.empty());
    }
    const auto [full, taken] = stored(0, 1000);
    ASSERT_EQ(full.stored.size(), 5u);
    EXPECT_EQ(full.stored[1].offset, 128u + 128u);
    EXPECT_EQ(full.stored[4].width, 1);
    EXPECT_TRUE(full.has_alpha);
    EXPECT_FALSE(stored(3, 1u << 20).first.has_alpha);  // the hull's DXT1 blocks are opaque
}

TEST(TextureLoad, Dxt1IsTransparentWhereAThreeColourBlockUsesIndexThree) {
    // End points 0x0000 and 0xffff: three colours and transparent black.
    const std::uint8_t three[8] = {0, 0, 0xff, 0xff, 0xaa, 0xaa, 0xaa, 0xaa};  // index 2
    const std::uint8_t clear[8] = {0, 0, 0xff, 0xff, 0, 0, 0, 0xc0};           // one index 3
    const std::uint8_t four[8] = {0xff, 0xff, 0, 0, 0xff, 0xff, 0xff, 0xff};   // four colours
    EXPECT_FALSE(textures::dxt1_transparent(three));
    EXPECT_TRUE(textures::dxt1_transparent(clear));
    EXPECT_FALSE(textures::dxt1_transparent(four));
}

}  // namespace
