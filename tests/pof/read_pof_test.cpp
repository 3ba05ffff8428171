#include "pof/read_pof.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "every_chunk_model.h"
#include "pof_builder.h"
#include "session.h"
#include "subobject_model.h"
#include "temp_file.h"

namespace {

using pof::ReadOutcome;
using testing_pof::Bytes;
using testing_pof::header_body;
using testing_pof::PofBuilder;
using testing_pof::Session;
using testing_pof::subobject_body;
using Rows = std::vector<std::pair<std::string, std::string>>;

TEST(ReadChunks, MagicAndVersionOnlyEnablesTheWindowMenuWithNoRows) {
    Session s;
    EXPECT_EQ(s.read(PofBuilder(2117).str()), ReadOutcome::Clean);
    EXPECT_TRUE(s.form.menus()[1].enabled);
    EXPECT_TRUE(s.entry_enabled("IDM_CLOSE_ALL"));
    EXPECT_FALSE(s.entry_enabled("IDM_TXTR"));
    EXPECT_TRUE(s.rows().empty());
    EXPECT_EQ(s.store.file_version, 2117);
    EXPECT_TRUE(s.desktop.messages.empty());
}

TEST(ReadChunks, WrongMagicInAnyByteOrCaseIsNotAPofFile) {
    for (const char* magic : {"pspo", "PSPX", "OPSP", "PSP", ""}) {
        Session s;
        std::string bytes = PofBuilder(2117, magic).chunk("TXTR", Bytes().i32(0)).str();
        EXPECT_EQ(s.read(bytes), ReadOutcome::NotPof) << magic;
        ASSERT_EQ(s.desktop.messages.size(), 1u);
        EXPECT_EQ(s.desktop.messages[0], "Not a POF file!");
        EXPECT_FALSE(s.form.menus()[1].enabled);
        EXPECT_TRUE(s.rows().empty());
    }
}

TEST(ReadChunks, ChunksOfSizeBelowOneGetNoRowAndTheNextHeaderFollowsDirectly) {
    Session s;
    const auto bytes = PofBuilder(2117)
                           .chunk("ACEN", testing_pof::acen_body(1, 2, 3))
                           .chunk("TXTR", 0, Bytes())
                           .chunk("XXXX", -1, Bytes())
                           .chunk("PINF", Bytes().raw("hi"))
                           .str();
    EXPECT_EQ(s.read(bytes), ReadOutcome::Clean);
    EXPECT_EQ(s.rows(), (Rows{{"ACEN", "12"}, {"PINF", "2"}}));
    EXPECT_FALSE(s.entry_enabled("IDM_TXTR"));
    EXPECT_EQ(s.store.pinf.info, "hi");
}

TEST(ReadChunks, UnknownChunksAreListedAndSkipped) {
    Session s;
    const auto bytes = PofBuilder(2117)
                           .chunk("XXXX", Bytes().i32(1).i32(2).i32(3))
                           .chunk("acen", testing_pof::acen_body(9, 9, 9))
                           .chunk("ACEN", testing_pof::acen_body(4, 5, 6))
                           .str();
    EXPECT_EQ(s.read(bytes), ReadOutcome::Clean);
    EXPECT_EQ(s.rows(), (Rows{{"XXXX", "12"}, {"acen", "12"}, {"ACEN", "12"}}));
    EXPECT_EQ(s.store.acen.auto_center, (pof::Vec3{4, 5, 6}));
    for (const auto& e : pof::chunk_kinds()) {
        EXPECT_EQ(s.entry_enabled(e.menu_name), e.entry == pof::RecordEntry::ACEN) << e.menu_name;
    }
}

TEST(ReadChunks, SubobjectRowsAreNumberedByTheirRunningCount) {
    Session s;
    const auto sub = [](std::int32_t n) { return subobject_body(2117, {.number = n}); };
    const auto bytes = PofBuilder(2117)
                           .chunk("HDR2", header_body(2117, {.subobjects = 3}))
                           .chunk("SOBJ", sub(2))
                           .chunk("SOBJ", sub(0))
                           .chunk("OBJ2", sub(1))
                           .str();
    EXPECT_EQ(s.read(bytes), ReadOutcome::Clean);
    EXPECT_EQ(s.rows()[3], (std::pair<std::string, std::string>{"OBJ2   2", "88"}));
    EXPECT_EQ(s.rows()[1].first, "SOBJ   0");  // the running count, not the number inside
    EXPECT_EQ(s.caption("IDM_SOBJ"), "OBJ2 Record");
    EXPECT_EQ(s.store.current_subobject, 3);
}

TEST(ReadChunks, TheEyeChunkMatchesOnlyWithItsTrailingBlank) {
    Session s;
    const auto bytes = PofBuilder(2117).chunk("EYE ", Bytes().i32(0)).str();
    s.read(bytes);
    EXPECT_EQ(s.rows(), (Rows{{"EYE ", "4"}}));
}

TEST(ReadChunks, TheHeaderEntryCaptionNamesTheLastHeaderRead) {
    Session s;
    const auto bytes = PofBuilder(1800)
                           .chunk("OHDR", header_body(1800, {.subobjects = 1}))
                           .chunk("HDR2", header_body(1800, {.subobjects = 7}))
                           .str();
    EXPECT_EQ(s.read(bytes), ReadOutcome::Clean);
    EXPECT_EQ(s.rows().size(), 2u);
    EXPECT_EQ(s.caption("IDM_OHDR"), "HDR2 Record");
    EXPECT_EQ(s.store.ohdr.subobject_count, 7);

    const auto again = PofBuilder(1800).chunk("OHDR", header_body(1800)).str();
    s.read(again);
    EXPECT_EQ(s.caption("IDM_OHDR"), "OHDR Record");
}

TEST(ReadChunks, AParserThatStopsShortLeavesTheNextHeaderWhereItStopped) {
    // ACEN declares 16 bytes but reads its 12; the reader goes on from byte 12 of the body,
    // where these bytes hold a zero-size chunk header that is skipped.
    Session s;
    const auto bytes = PofBuilder(2117)
                           .chunk("ACEN", 20, testing_pof::acen_body(1, 2, 3).raw("NONE").i32(0))
                           .chunk("PINF", Bytes().raw("x"))
                           .str();
    EXPECT_EQ(s.read(bytes), ReadOutcome::Clean);
    EXPECT_EQ(s.rows(), (Rows{{"ACEN", "20"}, {"PINF", "1"}}));
}

TEST(ReadChunks, ABodyCutShortStopsTheReadAndKeepsWhatCameBefore) {
    Session s;
    const auto bytes = PofBuilder(2117)
                           .chunk("ACEN", testing_pof::acen_body(1, 2, 3))
                           .chunk("TXTR", testing_pof::texture_body({"hull", "wing"}))
                           .str();
    const auto cut = bytes.substr(0, bytes.size() - 2);
    EXPECT_EQ(s.read(cut), ReadOutcome::Damaged);
    EXPECT_EQ(s.rows(), (Rows{{"ACEN", "12"}, {"TXTR", "20"}}));
    EXPECT_TRUE(s.entry_enabled("IDM_ACEN"));
    EXPECT_FALSE(s.entry_enabled("IDM_TXTR"));
    ASSERT_EQ(s.desktop.messages.size(), 1u);
    const auto& m = s.desktop.messages[0];
    EXPECT_NE(m.find("TXTR chunk at byte 28"), std::string::npos) << m;
    EXPECT_NE(m.find("passes the end of the file"), std::string::npos) << m;
}

TEST(ReadChunks, AChunkHeaderCutShortIsReportedWithoutARow) {
    Session s;
    const auto bytes =
        PofBuilder(2117).chunk("ACEN", testing_pof::acen_body(1, 2, 3)).raw("TXT").str();
    EXPECT_EQ(s.read(bytes), ReadOutcome::Damaged);
    EXPECT_EQ(s.rows(), (Rows{{"ACEN", "12"}}));
    ASSERT_EQ(s.desktop.messages.size(), 1u);
    EXPECT_NE(s.desktop.messages[0].find("chunk header at byte 28 is cut short"), std::string::npos)
        << s.desktop.messages[0];
}

TEST(ReadChunks, AVersionCutShortIsDamagedAndLeavesTheMenuDisabled) {
    Session s;
    EXPECT_EQ(s.read("PSPO\x01\x02"), ReadOutcome::Damaged);
    EXPECT_FALSE(s.form.menus()[1].enabled);
    ASSERT_EQ(s.desktop.messages.size(), 1u);
}

TEST(ReadChunks, AHugeChunkSizeOfAnUnknownChunkIsReportedNotAllocated) {
    Session s;
    const auto bytes = PofBuilder(2117).chunk("XXXX", 2147483647, Bytes().i32(1)).str();
    EXPECT_EQ(s.read(bytes), ReadOutcome::Damaged);
    EXPECT_EQ(s.rows(), (Rows{{"XXXX", "2147483647"}}));
}

TEST(ReadChunks, TheBusyCursorIsBalanced) {
    Session s;
    s.read(testing_pof::every_chunk_model());
    EXPECT_GT(s.desktop.busy_shown, 0);
    EXPECT_EQ(s.desktop.busy_depth, 0);
}

class OpenPof : public ::testing::Test {
  protected:
    void SetUp() override {
        file_.emplace(PofBuilder(2117).chunk("TXTR", testing_pof::texture_body({"a"})).str());
        path_ = file_->path();
    }
    void choose(view::OpenFileResult::Status status, std::string path = {}) {
        s.desktop.next_dialog_result = {status, std::move(path), "The dialog failed."};
    }
    Session s;
    std::optional<testing_pof::TempFile> file_;
    std::string path_;
};

TEST_F(OpenPof, TheDialogAsksForAnExistingPofFile) {
    choose(view::OpenFileResult::Status::Chosen, path_);
    EXPECT_EQ(s.form.open(), ReadOutcome::Clean);
    ASSERT_EQ(s.desktop.dialog_requests.size(), 1u);
    const auto& r = s.desktop.dialog_requests[0];
    EXPECT_EQ(r.title, "Open POF File");
    EXPECT_EQ(r.default_suffix, "pof");
    EXPECT_TRUE(r.file_must_exist);
    EXPECT_EQ(s.form.file_label().text, path_);
    EXPECT_TRUE(s.entry_enabled("IDM_TXTR"));
}

TEST_F(OpenPof, CancellingAfterAReadChangesNothing) {
    choose(view::OpenFileResult::Status::Chosen, path_);
    s.form.open();
    s.form.menu_command("IDM_TXTR");
    choose(view::OpenFileResult::Status::Cancelled);
    EXPECT_EQ(s.form.open(), ReadOutcome::Cancelled);
    EXPECT_EQ(s.rows().size(), 1u);
    EXPECT_EQ(s.form.file_label().text, path_);
    EXPECT_NE(s.viewer("frmTXTR"), nullptr);
    EXPECT_TRUE(s.desktop.messages.empty());
}

TEST_F(OpenPof, ADialogFailureShowsItsTextAndChangesNothing) {
    choose(view::OpenFileResult::Status::Failed);
    EXPECT_EQ(s.form.open(), ReadOutcome::DialogFailed);
    EXPECT_EQ(s.desktop.messages, std::vector<std::string>{"The dialog failed."});
    EXPECT_EQ(s.desktop.busy_shown, 0);
}

TEST_F(OpenPof, AFileThatCannotBeOpenedIsReportedAfterTheReset) {
    choose(view::OpenFileResult::Status::Chosen, "/nonexistent/ship.pof");
    EXPECT_EQ(s.form.open(), ReadOutcome::OpenFailed);
    ASSERT_EQ(s.desktop.messages.size(), 1u);
    EXPECT_NE(s.desktop.messages[0].find("/nonexistent/ship.pof"), std::string::npos);
    EXPECT_EQ(s.desktop.busy_depth, 0);
}

// Opening a FIFO that nobody writes to would wait for a writer for ever.
TEST_F(OpenPof, AnythingButARegularFileIsRefusedBeforeItIsOpened) {
    const std::string fifo = path_ + ".fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, std::string("/tmp"), std::string("/dev/null")}) {
        s.desktop.messages.clear();
        choose(view::OpenFileResult::Status::Chosen, path);
        EXPECT_EQ(s.form.open(), ReadOutcome::OpenFailed) << path;
        EXPECT_EQ(s.desktop.messages,
                  std::vector<std::string>{"Cannot open " + path + ": not a regular file"});
        EXPECT_EQ(s.form.file_label().text, path);
    }
    ::unlink(fifo.c_str());
}

}  // namespace
