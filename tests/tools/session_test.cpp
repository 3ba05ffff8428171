// pofdump runs in-process on model files written by PofBuilder: the main window after a
// read, each viewer opened through its Window-menu entry, choices, and the failure paths.

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "dump_fixture.h"
#include "every_chunk_model.h"
#include "pof_builder.h"
#include "shell/frmPOF.h"
#include "subobject_model.h"
#include "view/headless.h"

namespace {

using dump_testing::dump;
using dump_testing::has_lines;
using dump_testing::TempFile;
using testing_pof::PofBuilder;

// The message boxes File > Open shows for this file in the main window itself.
std::string message_boxes(const std::string& path) {
    pof::ModelStore store;
    view::HeadlessDesktop desktop;
    view::HeadlessWindows windows;
    shell::frmPOF form(store, desktop, windows);
    desktop.next_dialog_result = {view::OpenFileResult::Status::Chosen, path, {}};
    form.window_opened();
    form.open();
    std::string out;
    for (const auto& m : desktop.messages) out += m + "\n";
    return out;
}

std::string header_only(std::int32_t version, const testing_pof::HeaderFields& h = {}) {
    return PofBuilder(version)
        .chunk(version >= 2016 ? "HDR2" : "OHDR", testing_pof::header_body(version, h))
        .str();
}

TEST(MainWindow, ListsEveryChunkAndEnablesTheEntriesOfTheTypesRead) {
    TempFile file(testing_pof::every_chunk_model(2117));
    const auto d = dump({file.path()});
    EXPECT_EQ(d.status, 0);
    EXPECT_EQ(d.err, "");
    EXPECT_TRUE(has_lines(
        d.out, {"frmPOF  \"POF File Data\"", "value Label1: " + file.path(),
                "list 1 ListView1: 19 rows, selected none", "  columns: Record Type | Record Size",
                "    HDR2 | 156", "    OBJ2   0 | 455", "    OBJ2   1 | 384", "    TXTR | 47",
                "    PINF | 36", "    XXXX | 12", "    ACEN | 12", "    DOCK | 111",
                "    PATH | 66", "    FUEL | 71", "    INSG | 148"}));
    EXPECT_TRUE(has_lines(
        d.out, {"  IDM_SAVE \"&Save\" (disabled)", "  IDM_SAVE_AS \"Save &As\" (disabled)"}));
    EXPECT_TRUE(has_lines(d.out, {"menu IDM_WINDOW \"&Window\"", "  IDM_CLOSE_ALL \"Close All\"",
                                  "  IDM_TXTR \"TXTR Record\"", "  IDM_OHDR \"HDR2 Record\"",
                                  "  IDM_SOBJ \"OBJ2 Record\"", "  IDM_SPCL \"SPCL Record\""}));
    EXPECT_TRUE(has_lines(d.out, {"  IDM_ACEN \"ACEN Record\"", "  IDM_PINF \"PINF Record\"",
                                  "  IDM_GLOW \"GLOW Record\""}));
}

TEST(MainWindow, AnOldHeaderKeepsTheOhdrCaption) {
    TempFile file(testing_pof::every_chunk_model(2014));
    const auto d = dump({file.path()});
    EXPECT_TRUE(
        has_lines(d.out, {"    OHDR | " + std::to_string(testing_pof::header_body(2014).size())}));
    EXPECT_TRUE(has_lines(d.out, {"  IDM_OHDR \"OHDR Record\""}));
}

TEST(MainWindow, ChooseClicksARecordListRow) {
    TempFile file(testing_pof::every_chunk_model(2117));
    const auto d = dump({file.path(), "--choose", "1:5"});
    EXPECT_EQ(d.status, 0);
    EXPECT_TRUE(has_lines(d.out, {"list 1 ListView1: 19 rows, selected 5"}));
    EXPECT_TRUE(has_lines(d.out, {"    PINF | 36", "  > XXXX | 12", "    ACEN | 12"}));
}

TEST(MainWindow, JsonCarriesLabelRowsAndMenus) {
    TempFile file(testing_pof::every_chunk_model(2117));
    const auto d = dump({"--json", file.path()});
    ASSERT_EQ(d.status, 0);
    const auto j = nlohmann::json::parse(d.out);
    EXPECT_EQ(j["window"], "frmPOF");
    EXPECT_EQ(j["title"], "POF File Data");
    EXPECT_EQ(j["controls"][0]["name"], "Label1");
    EXPECT_EQ(j["controls"][0]["text"], file.path());
    const auto& list = j["controls"][1];
    EXPECT_EQ(list["name"], "ListView1");
    EXPECT_EQ(list["columns"][0]["header"], "Record Type");
    ASSERT_EQ(list["rows"].size(), 19u);
    EXPECT_EQ(list["rows"][6], (nlohmann::json{"ACEN", "12"}));
    const auto& window = j["menus"][1];
    EXPECT_EQ(window["name"], "IDM_WINDOW");
    EXPECT_TRUE(window["enabled"]);
    ASSERT_EQ(window["entries"].size(), 20u);
    EXPECT_EQ(window["entries"][2]["caption"], "HDR2 Record");
    EXPECT_TRUE(window["entries"][4]["enabled"]);
    EXPECT_TRUE(j["menus"][0]["entries"][1]["separator"]);
}

TEST(HeaderViewer, NewHeaderShowsEveryValueAndSelectsTheFirstRows) {
    TempFile file(testing_pof::every_chunk_model(2117));
    const auto d = dump({file.path(), "--view", "HDR2"});
    EXPECT_EQ(d.status, 0);
    EXPECT_TRUE(has_lines(
        d.out, {"frmOHDR  \"HDR2 record data\"", "Record Size: 156", "# subObjects: 2",
                "# detail levels: 1", "# debris pieces: 2", "Object Flags: 3", "File Version: 2117",
                "[Bounding Box]", "  grid: | min | max", "    X | -10 | 10", "    Y | -20 | 20",
                "    Z | -30 | 30", "  Max Radius: 25.5"}));
    EXPECT_TRUE(has_lines(
        d.out, {"  Mass: 1500", "  grid: | Center of Mass", "    X | 0.5", "    Y | -0.25",
                "    Z | 1E-05", "  [Moment of Inertia]", "    grid: | (0,0) | (0,1) | (0,2)",
                "      (0,0) | 1 | 2 | 3", "      (1,0) | 4 | 5 | 6", "      (2,0) | 7 | 8 | 9"}));
    // One light: its list is disabled but shows and selects its row.
    EXPECT_TRUE(has_lines(
        d.out, {"[v2007]", "  # lights: 1", "  list 1 cboLights (disabled): 1 row, selected 0",
                "    > Light 0", "  Light Type: 1", "  grid: | Location", "    X | 0", "    Y | 1",
                "    Z | 2"}));
    EXPECT_TRUE(has_lines(
        d.out, {"[v2014]", "  # cross sections: 3", "  list 2 cboCrossSections: 3 rows, selected 0",
                "    > Cross Section 0", "      Cross Section 1", "      Cross Section 2",
                "  Radius: 0.5", "  Depth: 0"}));
}

TEST(HeaderViewer, OhdrAndHdr2OpenTheSameEntry) {
    TempFile file(testing_pof::every_chunk_model(2117));
    EXPECT_EQ(dump({file.path(), "--view", "OHDR"}).out, dump({file.path(), "--view", "HDR2"}).out);
}

TEST(HeaderViewer, BeforeVersion2014TheCrossSectionsAreDisabledAndBlank) {
    TempFile file(header_only(2010));
    const auto d = dump({file.path(), "--view", "OHDR"});
    EXPECT_EQ(d.status, 0);
    EXPECT_TRUE(has_lines(d.out, {"frmOHDR  \"OHDR record\""}));
    EXPECT_TRUE(has_lines(d.out, {"[v2014] (disabled)", "  # cross sections: (disabled)",
                                  "  list 2 cboCrossSections (disabled): 0 rows, selected none",
                                  "  Radius: (disabled)", "  Depth: (disabled)"}));
    EXPECT_TRUE(has_lines(d.out, {"[v2007]", "  # lights: 1"}));
}

TEST(HeaderViewer, BeforeVersion1903MassIsBlankAndBothListGroupsAreDisabled) {
    TempFile file(header_only(1900));
    const auto d = dump({file.path(), "--view", "OHDR"});
    EXPECT_TRUE(
        has_lines(d.out, {"  Mass:", "  grid: | Center of Mass", "    X |", "    Y |", "    Z |"}));
    EXPECT_TRUE(has_lines(d.out, {"      (0,0) | | |"}));
    EXPECT_TRUE(has_lines(
        d.out, {"[v2007] (disabled)", "  # lights: (disabled)",
                "  list 1 cboLights (disabled): 0 rows, selected none", "  Light Type: (disabled)",
                "  grid: | Location (disabled)", "    X (disabled) |"}));
    EXPECT_TRUE(has_lines(d.out, {"[v2014] (disabled)"}));
}

TEST(HeaderViewer, ChoicesAreAppliedInOrder) {
    TempFile file(testing_pof::every_chunk_model(2117));
    const auto second = dump({file.path(), "--view", "HDR2", "--choose", "2:1"});
    EXPECT_EQ(second.status, 0);
    EXPECT_TRUE(has_lines(second.out, {"  list 2 cboCrossSections: 3 rows, selected 1",
                                       "      Cross Section 0", "    > Cross Section 1",
                                       "      Cross Section 2", "  Radius: 1.5", "  Depth: 10"}));
    const auto back = dump({file.path(), "--view", "HDR2", "--choose", "2:2", "--choose=2:0"});
    EXPECT_EQ(back.out, dump({file.path(), "--view", "HDR2"}).out);
}

TEST(HeaderViewer, JsonShowsTheChosenRowsValues) {
    TempFile file(testing_pof::every_chunk_model(2117));
    const auto d = dump({file.path(), "--view", "HDR2", "--choose", "2:2", "--json"});
    ASSERT_EQ(d.status, 0);
    const auto j = nlohmann::json::parse(d.out);
    EXPECT_EQ(j["window"], "frmOHDR");
    EXPECT_EQ(j["title"], "HDR2 record data");
    const nlohmann::json* sections = nullptr;
    for (const auto& c : j["controls"]) {
        if (c["kind"] == "group" && c["caption"] == "v2014") sections = &c;
    }
    ASSERT_NE(sections, nullptr);
    const auto& children = (*sections)["children"];
    EXPECT_EQ(children[1]["list"], 2);
    EXPECT_EQ(children[1]["selected"], 2);
    EXPECT_EQ(children[2]["caption"], "Radius");
    EXPECT_EQ(children[2]["value"], "2.5");
    EXPECT_EQ(children[3]["value"], "20");
}

TEST(Choices, ThatCannotBeMadeAreBadUsage) {
    TempFile file(testing_pof::every_chunk_model(2117));
    const auto past_rows = dump({file.path(), "--view", "HDR2", "--choose", "2:3"});
    EXPECT_EQ(past_rows.status, 2);
    EXPECT_EQ(past_rows.out, "");
    EXPECT_EQ(past_rows.err, "pofdump: list 2 has 3 rows; there is no row 3\n");
    const auto past_lists = dump({file.path(), "--view", "HDR2", "--choose", "3:0"});
    EXPECT_EQ(past_lists.status, 2);
    EXPECT_EQ(past_lists.err, "pofdump: the window has 2 lists; there is no list 3\n");
    // A single light: the list is disabled, a user cannot change its choice.
    const auto disabled = dump({file.path(), "--view", "HDR2", "--choose", "1:0"});
    EXPECT_EQ(disabled.status, 2);
    EXPECT_EQ(disabled.err, "pofdump: list 1 is disabled; its choice cannot change\n");
    const auto main_list = dump({file.path(), "--choose", "1:19"});
    EXPECT_EQ(main_list.status, 2);
    EXPECT_EQ(main_list.err, "pofdump: list 1 has 19 rows; there is no row 19\n");
}

TEST(TextureViewer, ListsNamesWithTheirIndices) {
    const std::string names[] = {"hull", "", std::string("a\0b", 3), "line\nfeed"};
    TempFile file(
        PofBuilder(2117)
            .chunk("TXTR", testing_pof::texture_body({std::begin(names), std::end(names)}))
            .str());
    const auto d = dump({file.path(), "--view", "TXTR"});
    EXPECT_EQ(d.status, 0);
    EXPECT_TRUE(has_lines(
        d.out, {"frmTXTR  \"TXTR record\"", "Record Size: 36", "# textures: 4",
                "list 1 ListView1: 4 rows, selected none", "  columns: Texture Name | Index",
                "    hull | 0", "     | 1", "    a\u2400b | 2", "    line\u240Afeed | 3"}));
    const auto j = nlohmann::json::parse(dump({file.path(), "--view", "TXTR", "--json"}).out);
    EXPECT_EQ(j["controls"][2]["rows"][3][0], "line\nfeed");
    EXPECT_EQ(j["controls"][2]["columns"][0]["width"], "half");
}

TEST(TextureViewer, ClickingARowSelectsIt) {
    TempFile file(testing_pof::every_chunk_model(2117));
    const auto d = dump({file.path(), "--view", "TXTR", "--choose", "1:1"});
    EXPECT_TRUE(
        has_lines(d.out, {"list 1 ListView1: 3 rows, selected 1", "  columns: Texture Name | Index",
                          "    fighter01 | 0", "  > fighter01-glow | 1", "    thruster | 2"}));
}

TEST(InfoViewers, PinfShowsOneTextLinePerLineFeed) {
    TempFile file(testing_pof::every_chunk_model(2117));
    const auto d = dump({file.path(), "--view", "PINF"});
    EXPECT_EQ(d.status, 0);
    EXPECT_EQ(d.out,
              "frmPINF  \"PINF record\"\n"
              "Record Size: 36\n"
              "text Label2:\n"
              "  | pofscope sample\n"
              "  | built by its tests\n"
              "  | \u2400\n");
    const auto j = nlohmann::json::parse(dump({file.path(), "--view", "PINF", "--json"}).out);
    EXPECT_EQ(j["controls"][1]["text"], "pofscope sample\r\nbuilt by its tests\r\n\u2400");
}

TEST(InfoViewers, AcenShowsThePoint) {
    TempFile file(testing_pof::every_chunk_model(2117));
    EXPECT_EQ(dump({file.path(), "--view", "ACEN"}).out,
              "frmACEN  \"ACEN record\"\n"
              "Record Size: 12\n"
              "caption: Auto-Center\n"
              "X: 0\n"
              "Y: 1.5\n"
              "Z: -2.25\n");
}

TEST(Viewers, AnEntryLeftDisabledOpensNothing) {
    TempFile file(header_only(2117));
    const auto sobj = dump({file.path(), "--view", "OBJ2"});
    EXPECT_EQ(sobj.status, 1);
    EXPECT_EQ(sobj.out, "");
    EXPECT_EQ(sobj.err, "pofdump: the file has no OBJ2 record\n");
    const auto eye = dump({file.path(), "--view", "EYE"});
    EXPECT_EQ(eye.status, 1);
    EXPECT_EQ(eye.err, "pofdump: the file has no EYE record\n");
}

TEST(Failures, NotAPofFileShowsTheResetWindowAndTheMessage) {
    TempFile file(PofBuilder(2117, "pspo").chunk("TXTR", testing_pof::texture_body({"x"})).str());
    const auto d = dump({file.path()});
    EXPECT_EQ(d.status, 1);
    EXPECT_EQ(d.err, "Not a POF file!\n");
    EXPECT_TRUE(
        has_lines(d.out, {"value Label1: " + file.path(), "list 1 ListView1: 0 rows, selected none",
                          "  columns: Record Type | Record Size", "menu IDM_FILE \"&File\""}));
    EXPECT_TRUE(has_lines(d.out, {"menu IDM_WINDOW \"&Window\" (disabled)"}));
}

TEST(Failures, AMissingFileIsReportedInTheMessageBoxWords) {
    const std::string path = "/nonexistent/pofdump/model.pof";
    const auto d = dump({path});
    EXPECT_EQ(d.status, 1);
    EXPECT_EQ(d.err, message_boxes(path));
    EXPECT_NE(d.err, "");
    EXPECT_TRUE(
        has_lines(d.out, {"value Label1: " + path, "list 1 ListView1: 0 rows, selected none"}));
}

TEST(Failures, ADamagedFileKeepsWhatWasRead) {
    const std::string whole = testing_pof::every_chunk_model(2117);
    // Cut inside the TXTR body: its row is listed, the read stops there.
    const std::size_t txtr_body = 8 + 8 + testing_pof::header_body(2117).size() + 8 +
                                  testing_pof::every_chunk_subobject(2117, 0).size() + 8 +
                                  testing_pof::every_chunk_subobject(2117, 1).size() + 8;
    TempFile file(whole.substr(0, txtr_body + 10));
    const auto d = dump({file.path()});
    EXPECT_EQ(d.status, 1);
    EXPECT_EQ(d.err, message_boxes(file.path()));
    EXPECT_NE(d.err.find("TXTR"), std::string::npos) << d.err;
    EXPECT_TRUE(has_lines(
        d.out, {"list 1 ListView1: 4 rows, selected none", "  columns: Record Type | Record Size",
                "    HDR2 | 156", "    OBJ2   0 | 455", "    OBJ2   1 | 384", "    TXTR | 47",
                "menu IDM_FILE \"&File\""}));
    // The header was read whole, so its viewer still opens.
    const auto header = dump({file.path(), "--view", "HDR2"});
    EXPECT_EQ(header.status, 1);
    EXPECT_TRUE(has_lines(header.out, {"frmOHDR  \"HDR2 record data\"", "Record Size: 156"}));
}

TEST(Steps, OpenAndWindowWalkFromTheRecordListToABlock) {
    TempFile file(testing_pof::every_chunk_model(2117));
    // Subobject 1's third block is its TMAPPOLY at byte 140.
    const auto block = dump({file.path(), "--view", "OBJ2", "--choose", "1:1", "--open", "2:2"});
    EXPECT_EQ(block.status, 0);
    EXPECT_TRUE(has_lines(block.out, {"frmTMAPPOLY  \"frmTMAPPOLY\"", "BSP offset: 140"}));
    // An EOF row opens nothing: the subobject viewer stays current.
    const auto eof = dump({file.path(), "--open", "1:2", "--open", "2:3"});
    EXPECT_TRUE(has_lines(eof.out, {"frmSOBJ  \"OBJ2 record data\""}));
    EXPECT_TRUE(has_lines(eof.out, {"    > 220 | EOF | 0"}));
    const auto back = dump({file.path(), "--open", "1:1", "--open", "2:1", "--window", "frmSOBJ",
                            "--choose", "1:1", "--window", "frmPOF"});
    EXPECT_EQ(back.status, 0);
    EXPECT_TRUE(has_lines(back.out, {"frmPOF  \"POF File Data\""}));
}

TEST(Steps, WhatAUserCannotDoIsBadUsage) {
    TempFile file(testing_pof::every_chunk_model(2117));
    const auto closed = dump({file.path(), "--open", "1:1", "--open", "2:1", "--window", "frmSOBJ",
                              "--choose", "1:1", "--window", "frmSORTNORM"});
    EXPECT_EQ(closed.status, 2);
    EXPECT_EQ(closed.err, "pofdump: no window frmSORTNORM is open\n");
    const auto drop_down = dump({file.path(), "--view", "OBJ2", "--open", "1:1"});
    EXPECT_EQ(drop_down.status, 2);
    EXPECT_EQ(drop_down.err,
              "pofdump: list 1 is a drop-down list; --open double-clicks list views\n");
}

TEST(Steps, ASubobjectChunkOutsideTheTableMakesTheReadUnclean) {
    TempFile file(PofBuilder(2117)
                      .chunk("HDR2", testing_pof::header_body(2117, {.subobjects = 1}))
                      .chunk("OBJ2", testing_pof::subobject_body(2117, {.number = 3}))
                      .str());
    const auto d = dump({file.path(), "--view", "OBJ2"});
    EXPECT_EQ(d.status, 1);
    EXPECT_EQ(d.err, message_boxes(file.path()));
    EXPECT_NE(d.err.find("subobject 3, outside the header's table of 1"), std::string::npos);
    EXPECT_TRUE(has_lines(d.out, {"frmSOBJ  \"OBJ2 record data\""}));
}

// --read opens a second file in the same run; its windows must show exactly what a run on
// that file alone shows, nothing the first file left in the store.
TEST(ReadStep, TheSecondFileShowsNothingOfTheFirst) {
    const auto names = testing_pof::texture_body({"old0", "old1", "old2", "old3", "old4"});
    TempFile first(PofBuilder(2117)
                       .chunk("HDR2", testing_pof::header_body(2117, {.subobjects = 3}))
                       .chunk("OBJ2", testing_pof::subobject_body(2117, {.name = "oldhull"}))
                       .chunk("TXTR", names)
                       .str());
    // A TXTR chunk cut inside its count; an OBJ2 chunk with no header before it.
    TempFile cut_txtr(PofBuilder(2117).chunk("TXTR", 44, testing_pof::Bytes().raw("\5")).str());
    TempFile no_header(PofBuilder(2117).chunk("OBJ2", testing_pof::subobject_body(2117)).str());
    EXPECT_NE(dump({first.path(), "--view", "TXTR"}).out.find("old4"), std::string::npos);
    EXPECT_NE(dump({first.path(), "--view", "OBJ2", "--choose", "1:0"}).out.find("oldhull"),
              std::string::npos);

    for (const auto& [second, view] :
         {std::pair{cut_txtr.path(), "TXTR"}, std::pair{no_header.path(), "OBJ2"}}) {
        const auto alone = dump({second, "--view", view});
        const auto after = dump(
            {first.path(), "--view", "OBJ2", "--choose", "1:0", "--read", second, "--view", view});
        EXPECT_EQ(after.out, alone.out) << view;
        EXPECT_EQ(after.status, 1) << view;
        EXPECT_EQ(after.err, alone.err) << view;
    }
}

TEST(ReadStep, MakesTheMainWindowCurrentAndItsFailuresCount) {
    TempFile model(testing_pof::every_chunk_model(2117));
    const auto back = dump({model.path(), "--view", "ACEN", "--read", model.path()});
    EXPECT_EQ(back.status, 0);
    EXPECT_EQ(back.out, dump({model.path()}).out);
    const auto missing = dump({"/nonexistent/a.pof", "--read", model.path()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err.rfind("Cannot open /nonexistent/a.pof", 0), 0u) << missing.err;
}

// A file name that is not UTF-8, or holds C1 controls or line separators, stays on one line
// of UTF-8 in the text form and on stderr.
TEST(TextForm, FileNamesAreShownAsOneLineOfUtf8) {
    TempFile file(testing_pof::every_chunk_model(2117));
    const std::string odd = file.path() + "-\xFF\xC2\x85\xE2\x80\xA8.pof";
    std::filesystem::copy_file(file.path(), odd);
    const auto d = dump({odd});
    std::filesystem::remove(odd);
    const std::string shown = file.path() + "-\xEF\xBF\xBD\\x85\\u2028.pof";
    EXPECT_TRUE(has_lines(d.out, {"value Label1: " + shown})) << d.out;

    const auto missing = dump({"/nonexistent/\xC2\x8D\xE2\x80\xA9.pof"});
    EXPECT_EQ(missing.err.rfind("Cannot open /nonexistent/\\x8D\\u2029.pof: ", 0), 0u)
        << missing.err;
}

}  // namespace
