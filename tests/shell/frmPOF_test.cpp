#include "shell/frmPOF.h"

#include <gtest/gtest.h>

#include "every_chunk_model.h"
#include "pof_builder.h"
#include "records/header/frmOHDR.h"
#include "session.h"
#include "shell/main_window_text.h"
#include "shell/row_text.h"
#include "subobject_model.h"
#include "temp_file.h"

namespace {

using testing_pof::Bytes;
using testing_pof::PofBuilder;
using testing_pof::Session;

std::string header_sobj_txtr_file() {
    const auto sobj = [](std::int32_t n) {
        return testing_pof::subobject_body(2014, {.number = n});
    };
    return PofBuilder(2014)
        .chunk("OHDR", testing_pof::header_body(2014, {.subobjects = 3}))
        .chunk("SOBJ", sobj(0))
        .chunk("SOBJ", sobj(1))
        .chunk("SOBJ", sobj(2))
        .chunk("TXTR", testing_pof::texture_body({"a"}))
        .str();
}

TEST(MainWindow, StartsWithTheWindowMenuDisabledAndSaveNeverEnabled) {
    Session s;
    EXPECT_EQ(s.form.title(), "POF File Data");
    EXPECT_FALSE(s.form.menus()[1].enabled);
    EXPECT_FALSE(s.entry_enabled("IDM_CLOSE_ALL"));
    EXPECT_TRUE(s.entry_enabled("IDM_OPEN"));
    EXPECT_FALSE(s.entry_enabled("IDM_SAVE"));
    s.read(testing_pof::every_chunk_model());
    EXPECT_FALSE(s.entry_enabled("IDM_SAVE"));
    EXPECT_FALSE(s.entry_enabled("IDM_SAVE_AS"));
}

TEST(MainWindow, MenusHoldEveryEntryInOrderWithAccessKeys) {
    Session s;
    const auto& file = s.form.menus()[0];
    EXPECT_EQ(file.caption, "&File");
    std::vector<std::string> captions;
    for (const auto& e : file.entries) captions.push_back(e.separator() ? "-" : e.caption);
    EXPECT_EQ(captions,
              (std::vector<std::string>{"&Open", "-", "&Save", "Save &As", "-", "&Exit"}));
    const auto& window = s.form.menus()[1];
    EXPECT_EQ(window.caption, "&Window");
    captions.clear();
    for (const auto& e : window.entries) captions.push_back(e.caption);
    EXPECT_EQ(captions,
              (std::vector<std::string>{
                  "Close All",   "TXTR Record", "OHDR Record", "SOBJ Record", "SPCL Record",
                  "GPNT Record", "MPNT Record", "TGUN Record", "TMIS Record", "DOCK Record",
                  "FUEL Record", "SHLD Record", "EYE Record",  "INSG Record", "PATH Record",
                  "ACEN Record", "PINF Record", "GLOW Record", "SLDC Record", "SLC2 Record"}));
}

TEST(MainWindow, OnlyTheEntriesOfChunksReadAreEnabled) {
    Session s;
    s.read(header_sobj_txtr_file());
    std::vector<std::string> enabled;
    for (const auto& e : s.form.menus()[1].entries) {
        if (s.entry_enabled(e.name)) enabled.push_back(e.name);
    }
    EXPECT_EQ(enabled,
              (std::vector<std::string>{"IDM_CLOSE_ALL", "IDM_TXTR", "IDM_OHDR", "IDM_SOBJ"}));
}

TEST(MainWindow, ClicksSetTheCurrentSubobjectFromTheRow) {
    Session s;
    s.read(header_sobj_txtr_file());
    EXPECT_EQ(s.store.current_subobject, 3) << "after a read: the number of subobject chunks";
    s.form.record_list().double_click(3);  // "SOBJ   2"
    EXPECT_EQ(s.store.current_subobject, 2);
    s.form.record_list().click(4);  // "TXTR"
    EXPECT_EQ(s.store.current_subobject, 0);
    s.form.record_list().click(2);
    EXPECT_EQ(s.store.current_subobject, 1);
    s.form.record_list().click(99);  // no such row
    EXPECT_EQ(s.store.current_subobject, 1);
}

TEST(MainWindow, DoubleClickOpensTheRowsViewerAndUnknownRowsNothing) {
    Session s;
    s.read(testing_pof::every_chunk_model());  // HDR2 OBJ2 OBJ2 TXTR PINF XXXX ACEN ...
    s.form.record_list().double_click(5);
    EXPECT_TRUE(s.windows.open.empty());
    s.form.record_list().double_click(0);
    ASSERT_NE(s.viewer("frmOHDR"), nullptr);
    EXPECT_EQ(s.viewer("frmOHDR")->title, "HDR2 record data");
    s.form.record_list().double_click(6);
    EXPECT_NE(s.viewer("frmACEN"), nullptr);
    s.form.record_list().double_click(18);  // GLOW, the last row
    EXPECT_NE(s.viewer("frmGLOW"), nullptr);
}

TEST(MainWindow, ShowingAnOpenViewerBringsItBackWithoutRebuildingIt) {
    Session s;
    s.read(testing_pof::every_chunk_model());
    s.form.menu_command("IDM_OHDR");
    auto* header = dynamic_cast<records::frmOHDR*>(s.viewer("frmOHDR"));
    ASSERT_NE(header, nullptr);
    header->sections.choose(2);
    s.windows.window("frmOHDR")->minimised = true;
    s.form.menu_command("IDM_TXTR");
    s.windows.log.clear();

    s.form.menu_command("IDM_OHDR");
    EXPECT_EQ(s.viewer("frmOHDR"), header);
    EXPECT_EQ(header->sections.selected, 2);
    EXPECT_FALSE(s.windows.window("frmOHDR")->minimised);
    EXPECT_EQ(s.windows.open.back().viewer.get(), header) << "brought to the front";
    EXPECT_EQ(s.windows.log, (std::vector<std::string>{"forward frmOHDR", "normal frmOHDR"}));
}

TEST(MainWindow, CloseAllClosesViewersInItsOrderAndKeepsTheMenu) {
    Session s;
    s.read(testing_pof::every_chunk_model());
    s.form.menu_command("IDM_CLOSE_ALL");
    EXPECT_TRUE(s.windows.log.empty());
    EXPECT_TRUE(s.form.menus()[1].enabled);

    s.form.menu_command("IDM_ACEN");
    s.form.menu_command("IDM_PINF");
    s.form.menu_command("IDM_OHDR");
    s.windows.log.clear();
    s.form.menu_command("IDM_CLOSE_ALL");
    EXPECT_EQ(s.windows.log,
              (std::vector<std::string>{"close frmOHDR", "close frmPINF", "close frmACEN"}));
    EXPECT_EQ(s.rows().size(), 19u);
}

TEST(MainWindow, ClosingTheMainWindowClosesEveryViewerAndExitQuitsAtOnce) {
    Session s;
    s.read(testing_pof::every_chunk_model());
    s.form.menu_command("IDM_TXTR");
    s.form.closing();
    EXPECT_TRUE(s.windows.open.empty());
    EXPECT_FALSE(s.desktop.quit_requested);

    s.form.menu_command("IDM_TXTR");
    s.form.menu_command("IDM_EXIT");
    EXPECT_TRUE(s.desktop.quit_requested);
    EXPECT_FALSE(s.windows.open.empty()) << "Exit asks no viewer to close first";
}

TEST(MainWindow, DisabledEntriesDoNothing) {
    Session s;
    s.form.menu_command("IDM_CLOSE_ALL");
    s.form.menu_command("IDM_OHDR");
    s.form.menu_command("IDM_SAVE");
    EXPECT_TRUE(s.windows.log.empty());
}

TEST(MainWindow, RowsShowChunkIdsAsWindows1252) {
    Session s;
    s.read(PofBuilder(2117).chunk(std::string("\xC4\0AB", 4), Bytes().i32(1)).str());
    EXPECT_EQ(s.rows()[0].first,
              "\xC3\x84\xE2\x90\x80"
              "AB");
}

// A dropped file and F5 skip the dialog but must read exactly as File > Open does after it.
class OpenWithoutDialog : public ::testing::Test {
  protected:
    void open_in_dialog(Session& session) {
        session.desktop.next_dialog_result = {
            view::OpenFileResult::Status::Chosen, file.path(), {}};
        session.form.open();
    }
    Session s;
    testing_pof::TempFile file{testing_pof::every_chunk_model()};
};

TEST_F(OpenWithoutDialog, ADroppedFileShowsWhatTheDialogsChoiceShows) {
    Session by_dialog;
    open_in_dialog(by_dialog);
    EXPECT_EQ(s.form.open_file(file.path()), pof::ReadOutcome::Clean);
    EXPECT_TRUE(s.desktop.dialog_requests.empty());
    EXPECT_EQ(shell::main_window_text(s.form), shell::main_window_text(by_dialog.form));
    EXPECT_EQ(s.desktop.busy_shown, by_dialog.desktop.busy_shown);
    EXPECT_EQ(s.desktop.busy_depth, 0);
}

TEST_F(OpenWithoutDialog, ReloadReadsTheLabelsFileAgainAsASecondOpenWould) {
    s.desktop.next_dialog_result = {view::OpenFileResult::Status::Cancelled, {}, {}};
    s.form.open();
    EXPECT_FALSE(s.form.reload().has_value()) << "no file chosen yet";
    EXPECT_EQ(s.desktop.busy_shown, 0);

    open_in_dialog(s);
    s.form.menu_command("IDM_TXTR");
    file.write(PofBuilder(2117).chunk("ACEN", testing_pof::acen_body(1, 2, 3)).str());

    EXPECT_EQ(s.form.reload(), pof::ReadOutcome::Clean);
    EXPECT_EQ(s.desktop.dialog_requests.size(), 2u) << "the cancelled one and the first read";
    EXPECT_EQ(s.form.file_label().text, file.path());
    EXPECT_EQ(s.rows(), (std::vector<std::pair<std::string, std::string>>{{"ACEN", "12"}}));
    EXPECT_EQ(s.viewer("frmTXTR"), nullptr) << "the reset closes the viewers";
    EXPECT_FALSE(s.entry_enabled("IDM_TXTR"));

    // A read that failed still leaves the file named in the label, so F5 tries it again.
    file.write("pspo");
    EXPECT_EQ(s.form.reload(), pof::ReadOutcome::NotPof);
    EXPECT_EQ(s.form.reload(), pof::ReadOutcome::NotPof);
    EXPECT_EQ(s.desktop.messages, (std::vector<std::string>{pof::kNotPof, pof::kNotPof}));
}

TEST(RowText, ChunkIdAndSubobjectNumber) {
    EXPECT_EQ(shell::parse_row_text("OBJ2   12").chunk_id, "OBJ2");
    EXPECT_EQ(shell::parse_row_text("OBJ2   12").subobject, 12);
    EXPECT_EQ(shell::parse_row_text("EYE ").chunk_id, "EYE ");
    EXPECT_EQ(shell::parse_row_text("EYE ").subobject, 0);
    EXPECT_EQ(shell::parse_row_text("TXT").chunk_id, "TXT");
    EXPECT_EQ(shell::parse_row_text("SOBJ   x").subobject, 0);
    EXPECT_EQ(shell::leading_number("  7b"), 7);
    EXPECT_EQ(shell::leading_number("-3"), -3);
    EXPECT_EQ(shell::leading_number("99999999999"), 2147483647);
    EXPECT_EQ(shell::leading_number(""), 0);
}

}  // namespace
