// pofdump over archives and folders: --member, --type and --sort as a user's steps, and
// --check going through every model of an archive or a folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "clean_model.h"
#include "dump_fixture.h"
#include "pof_builder.h"
#include "vp_builder.h"

namespace {

namespace fs = std::filesystem;
using dump_testing::dump;
using dump_testing::TempFile;
using testing_pof::VpBuilder;

const std::string kClean = testing_pof::CleanModel().str();
// The clean model with an unknown chunk after it: one note.
const std::string kNoted = kClean + testing_pof::Bytes().raw("XXXX").i32(4).i32(0).str();

std::string two_model_archive() {
    return VpBuilder()
        .folder("data")
        .folder("models")
        .file("b.pof", kNoted)
        .file("a.pof", kClean)
        .file("a.dds", "DDS ")
        .up()
        .up()
        .str();
}

// A mod folder: loose models, an archive of two models, and files the check leaves alone.
class ModFolder {
  public:
    ModFolder()
        : root_(fs::temp_directory_path() / ("pofscope_mod_" + std::to_string(::getpid()))) {
        write("z.pof", kClean);
        write("data/models/Loose.POF", kNoted);
        write("data/models/notes.txt", "not a model");
        write("data/b.vp", two_model_archive());
        write("data/c.vp", "neither an archive nor a model");
    }
    ~ModFolder() { fs::remove_all(root_); }
    std::string path() const { return root_.string(); }

  private:
    void write(const std::string& name, const std::string& bytes) {
        fs::create_directories((root_ / name).parent_path());
        std::ofstream(root_ / name, std::ios::binary) << bytes;
    }
    fs::path root_;
};

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

TEST(ArchiveDump, CheckGoesThroughEveryModelOfAFolderInPathOrder) {
    const ModFolder mod;
    const std::string root = mod.path();
    const dump_testing::HullTexture hull;
    const auto d = dump({"--check", "--textures", hull.folder(), root});
    EXPECT_EQ(d.status, 1) << d.out;  // the file that is neither
    const std::string note =
        ": note: XXXX: pofscope does not read \"XXXX\" chunks; its 4 bytes were skipped "
        "[unknown-chunk]";
    const std::string offset = std::to_string(kClean.size());
    EXPECT_EQ(lines_of(d.out),
              (std::vector<std::string>{root + "/data/b.vp/data/models/b.pof:" + offset + note,
                                        root + "/data/c.vp:0: error: file: Not a POF file! [read]",
                                        root + "/data/models/Loose.POF:" + offset + note,
                                        root + ": 5 files, 1 error, 0 warnings, 2 notes"}));
}

// What a user cannot do is bad usage: no archive open, an input or column that is not there,
// a list that does not sort, malformed values, steps beside --check.
TEST(ArchiveDump, MemberTypeAndSortOutsideTheirWindowAreBadUsage) {
    const TempFile vp(two_model_archive(), ".vp"), loose(kClean);
    EXPECT_EQ(dump({vp.path(), "--type", "1:x", "--sort", "1:4"}).status, 0);
    EXPECT_EQ(dump({loose.path(), "--member", "a.pof"}).status, 2);
    EXPECT_EQ(dump({vp.path(), "--type", "2:x"}).status, 2);
    EXPECT_EQ(dump({vp.path(), "--type", "x"}).status, 2);
    EXPECT_EQ(dump({vp.path(), "--sort", "1:5"}).status, 2);
    EXPECT_EQ(dump({loose.path(), "--sort", "1:0"}).status, 2);
    EXPECT_EQ(dump({"--check", "--member", "a.pof", vp.path()}).status, 2);
}

// A backslash and U+2028 in a member's name and in the archive's own name are escaped once:
// the text form shows "\\" and "\u2028" as the main window's label does, the JSON holds the
// name's exact bytes, and the --member message escapes its path once too.
TEST(ArchiveDump, NamesAreEscapedOnce) {
    const std::string member = "a\\b\xE2\x80\xA8.pof";  // a\b, U+2028, .pof
    const std::string vp_bytes = VpBuilder().file(member, kClean).file("c\\d.txt", "x").str();
    const TempFile vp(vp_bytes, "\\x.vp");
    const std::string shown = "a\\\\b\\u2028.pof";  // a\\b\u2028.pof as printed

    const auto text = dump({vp.path()});
    EXPECT_NE(text.out.find(" | " + shown + " | "), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("\\\\x.vp\""), std::string::npos) << "the title, escaped once";
    EXPECT_EQ(text.out.find("\\\\\\\\"), std::string::npos) << "escaped twice:\n" << text.out;

    const auto json = dump({"--json", vp.path()});
    // The JSON string of a\b: "a\\b"; U+2028 as the bytes or \u2028 once, never \\u2028.
    EXPECT_NE(json.out.find("\"a\\\\b"), std::string::npos) << json.out;
    EXPECT_EQ(json.out.find("\\\\\\\\"), std::string::npos) << json.out;
    EXPECT_EQ(json.out.find("\\\\u2028"), std::string::npos) << json.out;

    const auto missing = dump({vp.path(), "--member", "no\\such.pof"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "pofdump: The archive holds no file no\\\\such.pof.\n");
    const auto not_model = dump({vp.path(), "--member", "c\\d.txt"});
    EXPECT_EQ(not_model.err,
              "pofdump: c\\\\d.txt is not a POF model: only POF models open in the main window.\n");
}

}  // namespace
