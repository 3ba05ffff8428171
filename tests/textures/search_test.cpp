// The texture search on folder trees: extension order and case, the places in order, and
// nothing found outside them.

#include <gtest/gtest.h>

#include "folder_tree.h"
#include "textures/search.h"

namespace {

using texture_testing::FolderTree;
using texture_testing::MemoryArchive;
using textures::find_textures;
using textures::ImageKind;
using textures::SearchPlaces;
using textures::TextureSearch;

TextureSearch search(const std::vector<std::string>& names, const SearchPlaces& places) {
    return find_textures(names, places);
}

std::string shown(const TextureSearch& s, std::size_t i) {
    const auto& found = s.textures.at(i).found;
    return found ? found->shown_path : "missing";
}

TEST(TextureSearch, ExtensionsInOrderWithoutRegardToCase) {
    FolderTree tree;
    tree.file("HULL.PNG");
    tree.file("hull.Tga");
    tree.file("Wing.jpg");
    tree.file("wing.pcx");
    tree.folder("fin.dds");  // a folder, not a file
    tree.file("fin.pcx");
    tree.file("caps.jpeg");
    tree.file("Nose.JPG");
    tree.file("nose.jpeg");  // .jpg comes first
    const auto s = search({"hull", "WING", "fin", "Caps", "nose"}, {tree / "ship.pof"});
    EXPECT_EQ(shown(s, 0), "hull.Tga");
    EXPECT_EQ(s.textures[0].found->kind, ImageKind::Tga);
    EXPECT_EQ(s.textures[0].found->path, tree / "hull.Tga");
    EXPECT_EQ(shown(s, 1), "Wing.jpg");
    EXPECT_EQ(shown(s, 2), "fin.pcx");
    EXPECT_EQ(s.textures[2].found->kind, ImageKind::Pcx);
    EXPECT_EQ(shown(s, 3), "caps.jpeg");
    EXPECT_EQ(s.textures[3].found->kind, ImageKind::Jpg);
    EXPECT_EQ(shown(s, 4), "Nose.JPG");
}

TEST(TextureSearch, ANameWithAnExtensionIsTriedAsItIsFirst) {
    FolderTree tree;
    tree.file("hull.png");
    tree.file("hull.png.dds");
    tree.file("wing.pcx.dds");
    tree.file("fin.dds.tga");  // fin.dds is missing, so its extensions follow
    tree.file("Caps.Jpeg");
    tree.file("caps.jpeg.dds");
    const auto s = search({"Hull.PNG", "wing.pcx", "fin.dds", "CAPS.JPEG"}, {tree / "ship.pof"});
    EXPECT_EQ(shown(s, 0), "hull.png");
    EXPECT_EQ(s.textures[0].found->kind, ImageKind::Png);
    EXPECT_EQ(shown(s, 1), "wing.pcx.dds");
    EXPECT_EQ(shown(s, 2), "fin.dds.tga");
    EXPECT_EQ(shown(s, 3), "Caps.Jpeg");
}

TEST(TextureSearch, PlacesInOrderTheFirstFileFoundWinning) {
    FolderTree tree;
    const auto user = tree.folder("mine");
    tree.file("mine/a.pcx");
    tree.file("data/models/a.dds");
    tree.file("data/models/b.png");
    tree.file("data/models/Maps/b.dds");
    tree.file("data/models/Maps/c.tga");
    tree.file("data/maps/c.dds");
    tree.file("data/maps/d.pcx");
    const auto s = search({"a", "b", "c", "d", "e"}, {tree / "data/models/ship.pof", {user}});
    // A user folder's PCX comes before the model folder's DDS: places first, then extensions.
    EXPECT_EQ(shown(s, 0), "../../mine/a.pcx");
    EXPECT_EQ(shown(s, 1), "b.png");
    EXPECT_EQ(shown(s, 2), "Maps/c.tga");
    EXPECT_EQ(shown(s, 3), "../maps/d.pcx");
    EXPECT_EQ(shown(s, 4), "missing");
    EXPECT_EQ(s.places, (std::vector<std::string>{user.string(), ".", "Maps", "../maps"}));
    EXPECT_EQ(s.textures[4].name, "e");
}

TEST(TextureSearch, LooseFilesComeBeforeArchives) {
    FolderTree tree;
    tree.file("a.dds");
    const MemoryArchive archive({{"A.pcx", "x"}, {"f.PNG", "x"}});
    const auto s = search({"a", "f"}, {tree / "ship.pof", {}, {&archive}});
    EXPECT_EQ(shown(s, 0), "a.dds");
    EXPECT_EQ(s.textures[0].found->archive, nullptr);
    ASSERT_TRUE(s.textures[1].found);
    const auto& f = *s.textures[1].found;
    EXPECT_EQ(f.shown_path, "fake.vp: data/maps/f.PNG");
    EXPECT_EQ(f.archive, &archive);
    EXPECT_EQ(f.archive_name, "fake.vp");
    EXPECT_EQ(f.file_name, "f.PNG");
    EXPECT_TRUE(f.path.empty());
    EXPECT_EQ(s.places.back(), "fake.vp: data/maps");
}

TEST(TextureSearch, NothingOutsideThePlacesIsFound) {
    FolderTree tree;
    tree.file("secret.dds");
    tree.file("data/models/sub/inner.dds");
    tree.file("data/textures/other.dds");
    const auto s = search({"../secret", "sub/inner", "../../secret", "/etc/passwd", "", "other"},
                          {tree / "data/models/ship.pof"});
    for (std::size_t i = 0; i < s.textures.size(); ++i) EXPECT_EQ(shown(s, i), "missing") << i;
    EXPECT_EQ(s.places, (std::vector<std::string>{".", "maps", "../maps"}));
}

TEST(TextureSearch, AModelNamedWithoutAFolderIsSearchedInTheWorkingFolder) {
    FolderTree tree;
    tree.file("hull.dds");
    const auto here = std::filesystem::current_path();
    std::filesystem::current_path(tree / "");
    const auto s = search({"hull"}, {"ship.pof"});
    std::filesystem::current_path(here);
    EXPECT_EQ(shown(s, 0), "hull.dds");
    EXPECT_EQ(s.places.front(), ".");
}

}  // namespace
