// Damaged and hostile files: the read stops at the damaged chunk with one message naming its
// ID and byte offset, and every row, record and Window-menu entry read before it stays.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "every_chunk_model.h"
#include "pof/read_pof.h"
#include "pof_builder.h"
#include "records/header/frmTXTR.h"
#include "session.h"
#include "subobject_model.h"
#include "table_rows.h"
#include "temp_file.h"
#include "view/window_text.h"

namespace {

using pof::ReadOutcome;
using testing_pof::Bytes;
using testing_pof::PofBuilder;
using testing_pof::Session;
using testing_pof::TempFile;
using Rows = std::vector<std::pair<std::string, std::string>>;
using Cells = std::vector<std::vector<std::string>>;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

struct Counts {
    std::int32_t detail_levels = 0, debris = 0, cross_sections = 0, lights = 0;
};

// A version 2117 header with the given counts and no entries after any of them.
Bytes header(const Counts& c) {
    Bytes b;
    b.f32(10).i32(0).i32(1).vec(-1, -1, -1).vec(1, 1, 1);
    b.i32(c.detail_levels).i32(c.debris);
    b.f32(5).vec(0, 0, 0);
    for (int k = 0; k < 9; ++k) b.f32(0);
    return b.i32(c.cross_sections).i32(c.lights);
}

template <class V>
V& open_viewer(Session& s, std::string_view entry, std::string_view name) {
    s.form.menu_command(entry);
    auto* v = dynamic_cast<V*>(s.viewer(name));
    if (!v) throw std::runtime_error(std::string(name) + " did not open");
    return *v;
}

TEST(DamagedFile, AHostileCountStopsTheReadAndKeepsEverythingBeforeIt) {
    const auto before = PofBuilder(2117)
                            .chunk("TXTR", testing_pof::texture_body({"hull", "wing"}))
                            .chunk("ACEN", testing_pof::acen_body(1, 2, 3))
                            .str();
    const std::string at = std::to_string(before.size());
    const auto bytes = PofBuilder(2117)
                           .raw(before.substr(8))
                           .chunk("HDR2", header({.lights = kMax}))
                           .chunk("PINF", Bytes().raw("never read"))
                           .str();
    const std::string header_size = std::to_string(header({.lights = kMax}).size());
    Session s;
    EXPECT_EQ(s.read(bytes), ReadOutcome::Damaged);
    EXPECT_EQ(s.rows(), (Rows{{"TXTR", "20"}, {"ACEN", "12"}, {"HDR2", header_size}}));
    EXPECT_TRUE(s.form.menus()[1].enabled);
    EXPECT_TRUE(s.entry_enabled("IDM_TXTR"));
    EXPECT_TRUE(s.entry_enabled("IDM_ACEN"));
    EXPECT_FALSE(s.entry_enabled("IDM_OHDR"));
    EXPECT_FALSE(s.entry_enabled("IDM_PINF"));
    ASSERT_EQ(s.desktop.messages.size(), 1u);
    const std::string& m = s.desktop.messages[0];
    EXPECT_NE(m.find("HDR2 chunk at byte " + at), std::string::npos) << m;
    EXPECT_NE(m.find("2147483647"), std::string::npos) << m;

    auto& textures = open_viewer<records::frmTXTR>(s, "IDM_TXTR", "frmTXTR");
    EXPECT_EQ(testing_pof::rows_of(textures.textures), (Cells{{"hull", "0"}, {"wing", "1"}}));
    const std::string acen = view::viewer_text(open_viewer<view::Viewer>(s, "IDM_ACEN", "frmACEN"));
    EXPECT_NE(acen.find("\nZ: 3\n"), std::string::npos) << acen;
}

TEST(DamagedFile, ADamagedSecondHeaderKeepsTheEntryTheFirstOneEnabled) {
    const auto bytes = PofBuilder(2117)
                           .chunk("HDR2", testing_pof::header_body(2117))
                           .chunk("OHDR", header({.detail_levels = kMax}))
                           .str();
    Session s;
    EXPECT_EQ(s.read(bytes), ReadOutcome::Damaged);
    ASSERT_EQ(s.rows().size(), 2u);
    EXPECT_TRUE(s.entry_enabled("IDM_OHDR"));
    EXPECT_EQ(s.caption("IDM_OHDR"), "HDR2 Record");
    ASSERT_EQ(s.desktop.messages.size(), 1u);
    EXPECT_NE(s.desktop.messages[0].find("OHDR chunk at byte"), std::string::npos);
}

TEST(DamagedFile, NegativeTextureNameLengthsReadNothingAndTheNextNameFollows) {
    const auto bytes = PofBuilder(2117)
                           .chunk("TXTR", Bytes().i32(4).i32(-1).i32(kMin).i32(0).text("wing"))
                           .chunk("ACEN", testing_pof::acen_body(1, 2, 3))
                           .str();
    Session s;
    EXPECT_EQ(s.read(bytes), ReadOutcome::Clean);
    EXPECT_TRUE(s.entry_enabled("IDM_ACEN"));
    EXPECT_EQ(s.store.txtr.textures[0].name_length, -1);
    EXPECT_EQ(s.store.txtr.textures[1].name_length, kMin);
    auto& v = open_viewer<records::frmTXTR>(s, "IDM_TXTR", "frmTXTR");
    EXPECT_EQ(testing_pof::rows_of(v.textures),
              (Cells{{"", "0"}, {"", "1"}, {"", "2"}, {"wing", "3"}}));
}

TEST(DamagedFile, CountsOfZeroOrLessReadNothingMoreAndTheNextChunkFollows) {
    for (const std::int32_t n : {0, -1, kMin}) {
        const std::vector<std::pair<std::string, Bytes>> chunks{
            {"detail levels", header({.detail_levels = n})},
            {"debris", header({.debris = n})},
            {"cross sections", header({.cross_sections = n})},
            {"lights", header({.lights = n})},
            {"textures", Bytes().i32(n)},
        };
        for (const auto& [what, body] : chunks) {
            SCOPED_TRACE(what + " " + std::to_string(n));
            const char* id = what == "textures" ? "TXTR" : "HDR2";
            Session s;
            EXPECT_EQ(s.read(PofBuilder(2117)
                                 .chunk(id, body)
                                 .chunk("ACEN", testing_pof::acen_body(1, 2, 3))
                                 .str()),
                      ReadOutcome::Clean);
            EXPECT_EQ(s.store.acen.auto_center, (pof::Vec3{1, 2, 3}));
            EXPECT_TRUE(s.desktop.messages.empty());
        }
    }
}

TEST(DamagedFile, AChunkSizePastTheEndMattersOnlyToParsersThatReadBySize) {
    // Parsers read what their fields announce: an ACEN or TXTR chunk declaring more than the
    // file holds is read whole; PINF and unknown chunks read their declared size and fail.
    Session s;
    EXPECT_EQ(s.read(PofBuilder(2117).chunk("ACEN", 1000, testing_pof::acen_body(1, 2, 3)).str()),
              ReadOutcome::Clean);
    EXPECT_EQ(s.rows(), (Rows{{"ACEN", "1000"}}));
    const std::string acen = view::viewer_text(open_viewer<view::Viewer>(s, "IDM_ACEN", "frmACEN"));
    EXPECT_NE(acen.find("\nRecord Size: 1000\n"), std::string::npos) << acen;

    EXPECT_EQ(s.read(PofBuilder(2117).chunk("TXTR", 1000, testing_pof::texture_body({"a"})).str()),
              ReadOutcome::Clean);
    EXPECT_TRUE(s.entry_enabled("IDM_TXTR"));

    for (const char* id : {"PINF", "XXXX"}) {
        const auto bytes = PofBuilder(2117)
                               .chunk("ACEN", testing_pof::acen_body(1, 2, 3))
                               .chunk(id, 1000, Bytes().raw("abc"))
                               .str();
        EXPECT_EQ(s.read(bytes), ReadOutcome::Damaged) << id;
        EXPECT_EQ(s.rows(), (Rows{{"ACEN", "12"}, {id, "1000"}}));
        EXPECT_TRUE(s.entry_enabled("IDM_ACEN"));
        EXPECT_FALSE(s.entry_enabled("IDM_PINF"));
        ASSERT_EQ(s.desktop.messages.size(), 1u);
        EXPECT_NE(s.desktop.messages[0].find(std::string(id) + " chunk at byte 28"),
                  std::string::npos)
            << s.desktop.messages[0];
        s.desktop.messages.clear();
    }
}

// A file that shrinks after it was opened (another program rewriting it, a network share
// going away): every read then fails, wherever it falls.
class ShrinkingFile : public ::testing::TestWithParam<std::uintmax_t> {
  protected:
    TempFile file_{PofBuilder(2117).raw(testing_pof::every_chunk_model().substr(8)).str()};
};

TEST_P(ShrinkingFile, GivesTheDamageMessageAndKeepsTheRowsRead) {
    Session s;
    pof::clr_data(s.store, s.form);
    auto file = pof::PofFile::open(file_.path());
    std::filesystem::resize_file(file_.path(), GetParam());
    ReadOutcome outcome{};
    EXPECT_NO_THROW(outcome = pof::read_chunks(file, s.store, s.form, s.desktop));
    EXPECT_EQ(outcome, ReadOutcome::Damaged);
    EXPECT_EQ(s.desktop.messages.size(), 1u);
    EXPECT_EQ(s.desktop.busy_depth, 0);
    EXPECT_EQ(s.rows().size(), GetParam() >= 16 ? 1u : 0u);
}

// Cut before the magic, inside the version, inside the first chunk header, inside its body.
INSTANTIATE_TEST_SUITE_P(CutAt, ShrinkingFile, ::testing::Values(0, 6, 12, 20));

// BSP data this long is read straight from the file into bulk memory. A shrink inside it ends
// the read at the subobject's chunk, naming the byte where the bytes ran out, and the
// subobject keeps none of the bytes that were never read.
TEST(ShrinkingFile, InsideALargeBlockNamesItsChunkAndKeepsNoUnreadByte) {
    testing_pof::SubobjectFields fields;
    fields.bsp = Bytes().raw(std::string(100000, '\x5b'));
    const auto bytes = PofBuilder(2117)
                           .chunk("HDR2", testing_pof::header_body(2117))
                           .chunk("OBJ2", testing_pof::subobject_body(2117, fields))
                           .chunk("TXTR", testing_pof::texture_body({"hull"}))
                           .str();
    const auto bsp_at = bytes.find(std::string(64, '\x5b'));
    const auto subobject_at = bytes.find("OBJ2");
    const auto cut = bsp_at + 70000;
    const TempFile file(bytes);
    Session s;
    pof::clr_data(s.store, s.form);
    auto pof_file = pof::PofFile::open(file.path());
    std::filesystem::resize_file(file.path(), cut);
    EXPECT_EQ(pof::read_chunks(pof_file, s.store, s.form, s.desktop), ReadOutcome::Damaged);
    ASSERT_EQ(s.desktop.messages.size(), 1u);
    EXPECT_EQ(s.desktop.messages[0],
              "Damaged POF file: the OBJ2 chunk at byte " + std::to_string(subobject_at) +
                  " could not be read: the file ends early at byte " + std::to_string(cut) + ".");
    EXPECT_EQ(s.rows().size(), 2u);
    EXPECT_TRUE(s.store.subobjects.at(0).bsp_data.empty());
    ASSERT_EQ(s.store.chunks.size(), 2u);
    EXPECT_FALSE(s.store.chunks[1].complete);
}

}  // namespace
