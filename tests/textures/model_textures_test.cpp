// Where a model's textures are looked for beyond its folders: the VP archives of its mod, or
// the archive it was read from and the archives beside it.

#include "textures/model_textures.h"

#include <gtest/gtest.h>

#include "archive/vp_archive.h"
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

// Searches that share a cache (every model of a --check run, TXTR and glow names alike) list
// each folder once and read each archive's directory once; what they find is what searches
// of their own find, names of any case, an archive that cannot be listed holding nothing.
TEST(ModelTextures, SearchesThatShareACacheReadEachArchiveAndFolderOnce) {
    FolderTree tree;
    const auto ship = tree.file("mod/data/models/ship.pof");
    const auto fighter = tree.file("mod/data/models/Fighter.pof");
    tree.file("mod/data/maps/Hull.DDS");
    tree.file("mod/b.vp", maps_archive({"WING.dds", "fin.tga"}, "b"));
    tree.file("mod/a.vp", maps_archive({"glow.png"}, "a"));
    tree.file("mod/broken.vp", "VPVP");
    const std::vector<std::string> names{"hull", "Wing", "FIN", "glow", "none"};
    const auto cache = std::make_shared<textures::SearchCache>();
    std::size_t listed_once = 0;
    for (const auto& model : {ship, fighter, ship}) {
        const textures::ModelTextures txtr({model.string(), ""}, {}, names, cache);
        const textures::ModelTextures glow({model.string(), ""}, {}, {"GLOW"}, cache);
        const textures::ModelTextures alone({model.string(), ""}, {}, names);
        for (std::size_t i = 0; i < names.size(); ++i)
            EXPECT_EQ(found_in(txtr, i), found_in(alone, i));
        EXPECT_EQ(found_in(txtr, 1), "b.vp: data/maps/WING.dds");
        EXPECT_EQ(found_in(glow, 0), "a.vp: data/maps/glow.png");
        EXPECT_EQ(cache->archives_read(), 3u);
        if (listed_once == 0) listed_once = cache->listings().listed();
        EXPECT_EQ(cache->listings().listed(), listed_once);
    }
    // A model in another folder lists that folder and the maps folder it may hold, and no
    // archive again.
    const auto other = tree.file("mod/data/effects/x.pof");
    const textures::ModelTextures elsewhere({other.string(), ""}, {}, names, cache);
    EXPECT_EQ(found_in(elsewhere, 0), "Hull.DDS");
    EXPECT_EQ(cache->archives_read(), 3u);
    EXPECT_EQ(cache->listings().listed(), listed_once + 2);
}

// The archive whose models are checked is searched as it was listed, not opened again: here
// no file of its name exists at all.
TEST(ModelTextures, AnArchiveKeptInTheCacheIsSearchedWithoutOpeningIt) {
    FolderTree tree;
    const std::string bytes = maps_archive({"Hull.dds"}, "kept");
    const std::string path = (tree / "gone.vp").string();
    const auto cache = std::make_shared<textures::SearchCache>();
    cache->keep(
        path, std::make_shared<const archive::Archive>(archive::Archive::from_bytes(bytes, path)));
    const textures::ModelTextures t({path, "data/models/ship.pof"}, {}, {"hull"}, cache);
    EXPECT_EQ(found_in(t, 0), "gone.vp: data/maps/Hull.dds");
    EXPECT_EQ(cache->archives_read(), 1u);
}

TEST(ModelTextures, AGlowBankNamesItsBitmapOnALineOfItsOwn) {
    EXPECT_EQ(textures::glow_texture_name("$glow_texture=light"), "light");
    EXPECT_EQ(textures::glow_texture_name("$lod=1\r\n$glow_texture= blink \r\n"), "blink");
    EXPECT_EQ(textures::glow_texture_name("$glow_textures=x\nno texture"), "");
}

}  // namespace
