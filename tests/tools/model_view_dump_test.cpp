// pofdump's Model View: --view MODEL prints it, --obj writes what it draws at that point.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "clean_model.h"
#include "dump_fixture.h"
#include "pof/read_pof.h"
#include "pof_builder.h"
#include "scene/frmModelView.h"
#include "scene/texture_list.h"
#include "shell/frmPOF.h"
#include "ship_model.h"
#include "table_rows.h"
#include "texture_writers.h"
#include "view/headless.h"

namespace {

using dump_testing::dump;
using dump_testing::has_lines;
using dump_testing::peak_mib;
using dump_testing::TempFile;

std::string file_text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ModelViewDump, ObjWritesTheDetailLevelChosenSoFarWithItsMaterials) {
    const TempFile ship(testing_pof::ship_model());
    const std::string obj = ship.path() + ".obj";
    const std::string mtl = ship.path() + ".mtl";
    const auto d = dump({"--view", "MODEL", "--choose", "1:1", "--obj", obj, ship.path()});
    EXPECT_EQ(d.status, 0) << d.err;
    EXPECT_TRUE(has_lines(d.out, {"[Scene]", "  Subobjects drawn: 1", "  Polygons: 6"}));
    const std::string text = file_text(obj);
    const std::string mtl_name = std::filesystem::path(mtl).filename().string();
    EXPECT_EQ(text.rfind("# pofscope Model View\nmtllib " + mtl_name + "\no hull-1\n", 0), 0u)
        << text;
    EXPECT_EQ(text.find("o hull\n"), std::string::npos);
    EXPECT_TRUE(has_lines(text, {"usemtl hull", "vt 0 0"}));
    EXPECT_TRUE(has_lines(file_text(mtl), {"newmtl hull", "Kd 0.8 0.8 0.8", "map_Kd hull"}));
    std::filesystem::remove(obj);
    std::filesystem::remove(mtl);
}

// A texture file that several TXTR names find (in any case, with or without its extension) is
// decoded once, by the first of them: the list says which names share it, and the polygons of
// the others draw with its texture.
TEST(ModelViewDump, ATextureFileFoundByManyNamesIsDecodedOnce) {
    const dump_testing::HullTexture hull;
    testing_pof::CleanModel model;
    model.txtr = testing_pof::texture_body({"turret", "Hull", "HULL.dds", "none", "hull"});
    model.hull = testing_pof::CleanModel::subobject(0, -1, model.triangle_bsp(2), "hull");
    const TempFile file(model.str());
    const auto d = dump({"--textures", hull.folder(), "--view", "MODEL", file.path()});
    // Rows 2 and 4 say it in pofdump's list.
    const std::string shared = "| same file as texture 1: DDS DXT1, 128 × 128\n";
    EXPECT_NE(d.out.find(shared + "    3 | none | "), std::string::npos) << d.out;
    EXPECT_NE(d.out.find(shared + "[Scene]"), std::string::npos) << d.out;

    pof::ModelStore store;
    view::HeadlessDesktop desktop;
    view::HeadlessWindows windows;
    shell::frmPOF form(store, desktop, windows);
    form.open_file(file.path());
    store.texture_folders = {hull.folder()};
    scene::TextureList list(store);
    ASSERT_EQ(list.loaders()->entries.size(), 1u);
    EXPECT_EQ(list.loaders()->entries[0].number, 1);
    std::vector<view::TriangleBatch> batches(6);
    for (int t = 0; t < 6; ++t) batches[t].texture = t - 1;
    list.share_files(batches);
    std::vector<int> drawn;
    for (const auto& b : batches) drawn.push_back(b.texture);
    EXPECT_EQ(drawn, (std::vector<int>{-1, 0, 1, 1, 3, 1}));
    EXPECT_EQ(list.cells(1)[3], "found, not loaded yet");
    EXPECT_EQ(list.cells(4)[3], "same file as texture 1: found, not loaded yet");
    // What loading found reaches every name that shares the file.
    list.loaded(1, "DDS DXT1, 128 × 128, shown at 64 × 64 (over the texture budget)");
    EXPECT_EQ(list.cells(4)[3],
              "same file as texture 1: DDS DXT1, 128 × 128, shown at 64 × 64 (over the texture "
              "budget)");
    EXPECT_EQ(list.cells(3)[3].rfind("looked in ", 0), 0u);
}

TEST(ModelViewDump, TheViewMenuNeedsAHeader) {
    const TempFile no_header(
        testing_pof::PofBuilder(2117).chunk("ACEN", testing_pof::Bytes().vec(0, 0, 0)).str());
    const auto d = dump({"--obj", no_header.path() + ".obj", no_header.path()});
    EXPECT_EQ(d.status, 1);
    EXPECT_EQ(d.err, "pofdump: the View menu is disabled: the file has no header\n");
}

// A PNG whose header is sound and whose body is not: the check, pofdump's texture list and the
// window's list give one answer, "unreadable" with the decode's reason.
TEST(ModelViewDump, ATextureThatCannotBeDecodedIsUnreadableEverywhere) {
    const TempFile ship(testing_pof::ship_model());
    const auto folder = std::filesystem::path(ship.path() + "_maps");
    std::filesystem::create_directories(folder);
    std::string png = testing_pof::png_raw(3, 2, 8, 2, false, std::string(20, '\0'));
    png[png.find("IDAT") + 4] = '\x07';  // no deflate method: the header alone is sound
    std::ofstream(folder / "hull.png", std::ios::binary) << png;

    pof::ModelStore store;
    store.texture_folders = {folder.string()};
    view::HeadlessDesktop desktop;
    view::HeadlessWindows windows;
    shell::frmPOF form(store, desktop, windows);
    form.window_opened();
    pof::open_pof_file(ship.path(), store, form, desktop);
    form.menu_command("IDM_MODEL_VIEW");
    auto* model = static_cast<scene::frmModelView*>(windows.find(scene::frmModelView::kName));
    ASSERT_NE(model, nullptr);
    // As the window's loader does on its thread.
    for (const auto& entry : model->picture().textures->entries)
        model->texture_loaded(entry.number, entry.load({}).status);
    const std::string status = testing_pof::rows_of(model->textures)[0][3];
    EXPECT_TRUE(status.starts_with("unreadable: bad zlib data in IDAT (")) << status;

    const auto listed = dump({"--textures", folder.string(), "--view", "MODEL", ship.path()});
    EXPECT_NE(listed.out.find("| " + status), std::string::npos) << listed.out;
    const auto checked = dump({"--textures", folder.string(), "--check", ship.path()});
    EXPECT_NE(checked.out.find("hull.png is " + status + " [texture-unreadable]"),
              std::string::npos)
        << checked.out;
    std::filesystem::remove_all(folder);
}

// A 16-bit PNG is decoded row by row into its 8-bit image, and --png draws with that image and
// its mipmaps, never a copy: the texture adds about its image and mipmaps to the peak. Not
// square, so a decoder that swapped the sides would show.
TEST(ModelViewDump, ASixteenBitTextureCostsItsImageAndMipmapsOnce) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory and quarantine hide the figure";
#endif
    constexpr int kWidth = 1024, kHeight = 2048;
    const TempFile ship(testing_pof::ship_model());
    const auto folder = std::filesystem::path(ship.path() + "_maps");
    std::filesystem::create_directories(folder);
    {
        // Written first and let go: a forked pofdump's peak counts the test's pages too.
        std::string rows;
        const std::string row = std::string(1, '\0') + std::string(std::size_t(kWidth) * 8, '\x40');
        for (int y = 0; y < kHeight; ++y) rows += row;
        std::ofstream(folder / "hull.png", std::ios::binary)
            << testing_pof::png_raw(kWidth, kHeight, 16, 6, false, rows);
    }
    const std::string picture = ship.path() + ".png";
    const double without = peak_mib({"--png", picture, ship.path()});
    const double with = peak_mib({"--textures", folder.string(), "--png", picture, ship.path()});
    const double image = kWidth * kHeight * 4.0 / (1 << 20);
    std::printf(
        "pofdump --png with a %d x %d 16-bit texture: peak %.1f MiB, %.1f without it; "
        "its image %.1f MiB, with mipmaps %.1f\n",
        kWidth, kHeight, with, without, image, image * 4 / 3);
    EXPECT_GT(without, 0);
    EXPECT_GT(with - without, image);  // it was decoded
    EXPECT_LT(with - without, image * 4 / 3 + 4);
    const auto listed = dump({"--textures", folder.string(), "--view", "MODEL", ship.path()});
    EXPECT_NE(listed.out.find("| PNG, 1024 \u00d7 2048\n"), std::string::npos) << listed.out;
    std::filesystem::remove_all(folder);
    std::filesystem::remove(picture);
}

}  // namespace
