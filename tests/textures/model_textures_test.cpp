// Where a model's textures are looked for beyond its folders: the VP archives of its mod, or
// the archive it was read from and the archives beside it.

#include "textures/model_textures.h"

#include <gtest/gtest.h>

#include "folder_tree.h"
#include "vp_builder.h"

namespace {

using testing_pof::VpBuilder;
using texture_testing::FolderTree;

// An archive holding data/maps/<name> for each of names, with the archive's own name inside.
std::string maps_archive(const std::vector<std::string>& names, const std::string& mark) {
    VpBuilder vp;
    vp.folder("data").folder("maps");
    for (const auto& n : names) vp.file(n, mark);
    return vp.up().up().str();
}

std::string found_in(const textures::ModelTextures& t, std::size_t i) {
    const auto& found = t.search().textures.at(i).found;
    if (!found) return "missing";
    return found->archive ? found->shown_path : found->path.filename().string();
}

// A loose model looks in its mod's archives, in name order, after every loose place.
TEST(ModelTextures, ALooseModelLooksInItsModsArchivesAfterItsFolders) {
    FolderTree tree;
    const auto model = tree.file("mod/data/models/ship.pof");
    tree.file("mod/data/maps/hull.dds");
    tree.file("mod/b.vp", maps_archive({"hull.dds", "wing.dds"}, "b"));
    tree.file("mod/a.vp", maps_archive({"wing.pcx", "fin.dds"}, "a"));
    const textures::ModelTextures t({model.string(), ""}, {}, {"hull", "wing", "fin", "none"});
    ASSERT_TRUE(t.searched());
    EXPECT_EQ(found_in(t, 0), "hull.dds");  // loose before any archive
    EXPECT_EQ(found_in(t, 1), "a.vp: data/maps/wing.pcx");
    EXPECT_EQ(found_in(t, 2), "a.vp: data/maps/fin.dds");
    EXPECT_EQ(found_in(t, 3), "missing");
    EXPECT_EQ(t.search().places.back(), "b.vp: data/models");
}

// A model read from an archive looks in that archive first, then in the others beside it,
// and never in the folder the archive lies in.
TEST(ModelTextures, AModelInAnArchiveLooksInItsOwnArchiveFirst) {
    FolderTree tree;
    tree.file("hull.dds");  // beside the archives: not a place
    VpBuilder own;
    own.folder("data").folder("models").file("ship.pof", "PSPO").file("fin.dds", "own");
    own.up().folder("maps").file("wing.dds", "own").up().up();
    const auto archive = tree.file("z.vp", own.str());
    tree.file("a.vp", maps_archive({"wing.dds", "hull.dds"}, "a"));
    const textures::ModelTextures t({archive.string(), "data/models/ship.pof"}, {},
                                    {"wing", "fin", "hull"});
    EXPECT_EQ(found_in(t, 0), "z.vp: data/maps/wing.dds");
    EXPECT_EQ(found_in(t, 1), "z.vp: data/models/fin.dds");
    EXPECT_EQ(found_in(t, 2), "a.vp: data/maps/hull.dds");
    const textures::ModelTextures from_memory({"", ""}, {}, {"wing"});
    EXPECT_FALSE(from_memory.searched());
}

TEST(ModelTextures, AGlowBankNamesItsBitmapOnALineOfItsOwn) {
    EXPECT_EQ(textures::glow_texture_name("$glow_texture=light"), "light");
    EXPECT_EQ(textures::glow_texture_name("$lod=1\r\n$glow_texture= blink \r\n"), "blink");
    EXPECT_EQ(textures::glow_texture_name("$glow_textures=x\nno texture"), "");
}

}  // namespace
