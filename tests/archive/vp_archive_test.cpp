// The VP archive reader: paths from nested folders, the header and directory faults, lookups
// that ignore case, and member reads that end where the member ends.

#include "archive/vp_archive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "temp_file.h"
#include "vp_builder.h"

namespace {

using archive::Archive;
using testing_pof::VpBuilder;

std::vector<std::string> paths_of(const Archive& a) {
    std::vector<std::string> out;
    for (const auto& m : a.members()) out.emplace_back(a.path_of(m));
    return out;
}

std::vector<std::string> paths_of(const Archive& a, const std::vector<const archive::Member*>& ms) {
    std::vector<std::string> out;
    out.reserve(ms.size());
    for (const auto* m : ms) out.emplace_back(a.path_of(*m));
    return out;
}

// "entry/member " for every note.
std::string note_places(const Archive& a) {
    std::string out;
    for (const auto& n : a.notes()) {
        out += std::to_string(n.entry) + "/" + std::to_string(n.member) + " ";
    }
    return out;
}

// data/{models/{ship.pof, Fighter.POF}, maps/hull.dds}, readme.txt
std::string mod_archive() {
    return VpBuilder()
        .folder("data")
        .folder("models")
        .file("ship.pof", "PSPO-ship", 1000)
        .file("Fighter.POF", "PSPO-fighter")
        .up()
        .folder("maps")
        .file("hull.dds", "DDS ")
        .up()
        .up()
        .file("readme.txt", "hello")
        .str();
}

TEST(VpArchive, NestedFoldersAndDotDotEntriesMakeThePaths) {
    const std::string bytes = mod_archive();
    const Archive a = Archive::from_bytes(bytes, "mod.vp");
    EXPECT_EQ(paths_of(a),
              (std::vector<std::string>{"data/models/ship.pof", "data/models/Fighter.POF",
                                        "data/maps/hull.dds", "readme.txt"}));
    EXPECT_EQ(a.folder_count(), 3);
    EXPECT_EQ(note_places(a), "");
    const auto& ship = a.members()[0];
    EXPECT_EQ(ship.entry, 2);
    EXPECT_EQ(ship.size, 9);
    EXPECT_EQ(ship.time, 1000);
    EXPECT_FALSE(ship.cut);

    // Case is ignored in lookups; folders list only their own files, in path order.
    EXPECT_EQ(a.find("DATA/Models/SHIP.pof"), &ship);
    EXPECT_EQ(a.find("data/models"), nullptr);
    EXPECT_EQ(a.find("ship.pof"), nullptr);
    EXPECT_EQ(paths_of(a, a.files_in("data/MODELS")),
              (std::vector<std::string>{"data/models/Fighter.POF", "data/models/ship.pof"}));
    EXPECT_EQ(paths_of(a, a.files_in("")), (std::vector<std::string>{"readme.txt"}));
    EXPECT_TRUE(a.files_in("data/mod").empty());
}

TEST(VpArchive, MemberReadsEndWhereTheMemberEnds) {
    const std::string bytes = mod_archive();
    const testing_pof::TempFile on_disk(bytes);
    for (const Archive& a : {Archive::from_bytes(bytes, "mod.vp"), Archive::open(on_disk.path())}) {
        const auto& ship = *a.find("data/models/ship.pof");
        EXPECT_EQ(a.read_member(ship), "PSPO-ship");
        EXPECT_EQ(a.read_member(ship, 4), "PSPO");
        EXPECT_EQ(a.read_member(ship, 100), "PSPO-ship");
        pof::PofFile file = a.open_member(ship);
        EXPECT_EQ(file.size(), 9);
        file.skip(5);
        // The next member's bytes follow in the archive, but not in this member.
        EXPECT_THROW(file.bytes(5), pof::ReadError);
    }
    EXPECT_EQ(Archive::open(on_disk.path()).path(), on_disk.path());

    // The archive is opened once: its members are read through that open file, even once
    // the name it was opened by is gone, and its copies share it.
    const testing_pof::TempFile gone(bytes);
    const Archive kept = Archive::open(gone.path());
    std::filesystem::remove(gone.path());
    const Archive copy = kept;
    EXPECT_EQ(copy.read_member(*copy.find("readme.txt")), "hello");
    EXPECT_EQ(kept.read_member(*kept.find("DATA/maps/HULL.dds")), "DDS ");
}

TEST(VpArchive, DirectoryFaultsAreNotedAndTheRestIsListed) {
    const std::string full_name(32, 'n');
    const std::string bytes = VpBuilder()
                                  .file("good.pof", "PSPO")             // 0
                                  .up()                                 // 1: ".." at the top
                                  .entry(18, 1000, "cut.pof", 0)        // 2
                                  .entry(4, -1, "negative.pof", 0)      // 3
                                  .entry(-4, 2, "before.pof", 0)        // 4
                                  .entry(16, 4, full_name + "tail", 0)  // 5: no NUL
                                  .entry(16, 4, "caf\xE9.tbl", 0)       // 6: not UTF-8
                                  .file("GOOD.pof", "PSPO2")            // 7: good.pof again
                                  .version(3)
                                  .str();
    const Archive a = Archive::from_bytes(bytes, "faults.vp");
    EXPECT_EQ(paths_of(a),
              (std::vector<std::string>{"good.pof", "cut.pof", "negative.pof", "before.pof",
                                        full_name, "caf\xE9.tbl", "GOOD.pof"}));
    std::vector<bool> cut;
    for (const auto& m : a.members()) cut.push_back(m.cut);
    EXPECT_EQ(cut, (std::vector<bool>{false, true, true, true, false, false, false}));
    // Their words are in the golden texts (tests/golden/damaged-archive.txt).
    EXPECT_EQ(note_places(a), "-1/-1 1/-1 2/1 3/2 4/3 7/6 ");
    EXPECT_THROW(a.open_member(a.members()[1]), pof::OpenError);
    // The later of two entries with one path wins.
    EXPECT_EQ(a.read_member(*a.find("good.pof")), "PSPO2");
    EXPECT_EQ(paths_of(a, a.files_in("")).size(), 6u);
}

// One path three times, its case and folder entry differing, among others that sort between:
// the last entry is the one found and listed, and each repeat is noted.
TEST(VpArchive, ARepeatedPathOpensItsLastEntry) {
    const std::string bytes = VpBuilder()
                                  .folder("maps")       // 0
                                  .file("a.dds", "1")   // 1
                                  .file("b.dds", "b1")  // 2
                                  .file("A.DDS", "2")   // 3
                                  .up()                 // 4
                                  .folder("MAPS")       // 5
                                  .file("c.dds", "c")   // 6
                                  .file("a.Dds", "3")   // 7
                                  .file("b.dds", "b2")  // 8
                                  .str();
    const Archive a = Archive::from_bytes(bytes, "repeat.vp");
    EXPECT_EQ(a.read_member(*a.find("maps/a.dds")), "3");
    EXPECT_EQ(a.read_member(*a.find("Maps/B.DDS")), "b2");
    std::vector<std::string> listed;
    for (const auto* m : a.files_in("maps")) listed.push_back(a.read_member(*m));
    EXPECT_EQ(listed, (std::vector<std::string>{"3", "b2", "c"}));
    EXPECT_EQ(note_places(a), "3/2 7/4 8/5 ");
}

TEST(VpArchive, AnEntrysKindIsItsExtensionsWithoutRegardToCase) {
    using archive::MemberKind;
    const std::vector<std::pair<const char*, MemberKind>> names{
        {"data/maps/Hull.JPG", MemberKind::Texture},
        {"caps.jpeg", MemberKind::Texture},
        {"x.PCX", MemberKind::Texture},
        {"fire.Ani", MemberKind::Texture},
        {"data/models/ship.POF", MemberKind::Model},
        {"ships.tbm", MemberKind::Table},
        {"maps.dds/readme", MemberKind::Other},
        {"dds", MemberKind::Other},
    };
    for (const auto& [name, kind] : names) EXPECT_EQ(archive::kind_of(name), kind) << name;
}

struct HeaderFault {
    const char* what;
    std::string bytes;
    std::string message;
};

std::vector<HeaderFault> header_faults() {
    const std::string one_file = VpBuilder().file("a.pof", "PSPO").str();  // directory at 20
    return {
        {"header cut", std::string("VPVP\x02\0\0\0\x10\0", 10),
         "the header is cut short: 10 of its 16 bytes are in the file"},
        {"directory past the end", VpBuilder().directory_offset(17).str(),
         "the directory offset 17 at byte 8 lies outside the file (16 bytes)"},
        {"directory before the start", VpBuilder().directory_offset(-1).str(),
         "the directory offset -1 at byte 8 lies outside the file (16 bytes)"},
        {"count below zero", VpBuilder().entry_count(-1).str(),
         "the entry count -1 at byte 12 is below zero"},
        {"count the file cannot hold", VpBuilder().file("a.pof", "PSPO").entry_count(2).str(),
         "the 2 directory entries announced at byte 12 need 88 bytes from byte 20 on, but the "
         "file has 44 bytes left there"},
        {"count of two billion", VpBuilder().entry_count(2000000000).str(),
         "the 2000000000 directory entries announced at byte 12 need 88000000000 bytes from "
         "byte 16 on, but the file has 0 bytes left there"},
    };
}

TEST(VpArchive, HeaderFaultsStopTheListingWithTheirByte) {
    for (const auto& fault : header_faults()) {
        try {
            Archive::from_bytes(fault.bytes, "x.vp");
            ADD_FAILURE() << fault.what << ": listed";
        } catch (const pof::ReadError& e) {
            EXPECT_EQ(std::string(e.what()), fault.message) << fault.what;
        }
    }
    for (const std::string& not_vp :
         {std::string(), std::string("VPV"), std::string("PSPO\x75\x08\0\0", 8)}) {
        EXPECT_THROW(Archive::from_bytes(not_vp, "x.vp"), pof::OpenError);
    }
}

// A chain of folders would make each file's path as long as the chain: paths are held to
// eight times the directory's size, so memory grows with the file, not with its square.
TEST(VpArchive, FoldersNestedWithoutEndAreRefused) {
    VpBuilder deep;
    for (int i = 0; i < 3000; ++i) deep.folder(std::string(31, 'f'));
    for (int i = 0; i < 3000; ++i) deep.file("x", "y");
    try {
        Archive::from_bytes(deep.str(), "deep.vp");
        ADD_FAILURE() << "listed";
    } catch (const pof::ReadError& e) {
        EXPECT_NE(std::string(e.what()).find("its folders nest so deep"), std::string::npos)
            << e.what();
    }
    VpBuilder shallow;
    for (int i = 0; i < 8; ++i) shallow.folder(std::string(31, 'f'));
    for (int i = 0; i < 3000; ++i) shallow.file("x", "y");
    EXPECT_EQ(Archive::from_bytes(shallow.str(), "ok.vp").members().size(), 3000u);
}

TEST(VpArchive, OnlyFilesStartingWithTheMagicAreArchives) {
    const testing_pof::TempFile vp(mod_archive()), pof(std::string("PSPO\x75\x08\0\0", 8)),
        empty("");
    EXPECT_TRUE(archive::has_archive_magic(vp.path()));
    EXPECT_FALSE(archive::has_archive_magic(pof.path()));
    EXPECT_FALSE(archive::has_archive_magic(empty.path()));
    EXPECT_FALSE(archive::has_archive_magic(vp.path() + ".missing"));
    EXPECT_FALSE(archive::has_archive_magic("/tmp"));
}

}  // namespace
