// The Compare window's logic without a screen: its tree, counts and filter over given
// differences, and the flow through the main window (View > Compare With..., a double-click
// leading to the item, F5, Close All) over the sample and a copy of it.
#include <gtest/gtest.h>

#include "compare/frmCompare.h"
#include "pof/chunk_kinds.h"
#include "sample_archive.h"
#include "scene/frmModelView.h"
#include "session.h"
#include "ship_model.h"
#include "temp_file.h"
#include "view/window_text.h"

namespace {

using compare::Difference;
using Kind = Difference::Kind;

Difference difference(Kind kind, std::string chunk, std::vector<std::string> place,
                      std::string field, std::string old_text, std::string new_text,
                      std::vector<pof::RowChoice> rows = {}) {
    Difference d;
    d.kind = kind;
    d.chunk = std::move(chunk);
    d.place = std::move(place);
    d.field = std::move(field);
    d.old_text = std::move(old_text);
    d.new_text = std::move(new_text);
    d.entry = d.chunk == "PATH" ? pof::RecordEntry::PATH : pof::RecordEntry::GPNT;
    d.ref = {d.entry, std::move(rows)};
    d.in_second = kind == Kind::Added;
    return d;
}

std::vector<Difference> some_differences() {
    return {compare::unread("B", "Damaged POF file: cut."),
            difference(Kind::Changed, "GPNT", {"Slot 0", "Gun 1"}, "Mounting Point", "(1, 2, 3)",
                       "(1, 2.5, 3)", {{1, 0}, {2, 1}}),
            difference(Kind::Changed, "GPNT", {"Slot 0", "Gun 1"}, "Normal", "(0, 0, 1)",
                       "(0, 1, 0)", {{1, 0}, {2, 1}}),
            difference(Kind::Removed, "PATH", {"Path 1"}, "", "\"$bay\"", "", {{1, 1}}),
            difference(Kind::Added, "PATH", {"Path 2"}, "", "", "\"$top\"", {{1, 2}}),
            difference(Kind::Added, "SLC2", {}, "", "", "")};
}

TEST(CompareWindow, ListsChunksItemsAndFieldsWithCountsAndAFilter) {
    std::vector<pof::ItemRef> shown;
    compare::frmCompare window(
        "other.pof", [] { return some_differences(); },
        [&](const pof::ItemRef& item) { shown.push_back(item); });
    window.opened();
    EXPECT_EQ(view::viewer_text(window),
              "frmCompare  \"Compare\"\n"
              "Compared with: other.pof\n"
              "Differences: 6 differences: 2 changed, 1 only in the open model, 2 only in the "
              "other, 1 read failure\n"
              "input 1 txtFilter:\n"
              "list 1 tvwDifferences: 9 rows, selected none\n"
              "  columns: Difference | Open model | Other model\n"
              "    ! B: Damaged POF file: cut. | |\n"
              "    GPNT | |\n"
              "      Slot 0 · Gun 1 | |\n"
              "        Mounting Point | (1, 2, 3) | (1, 2.5, 3)\n"
              "        Normal | (0, 0, 1) | (0, 1, 0)\n"
              "    PATH | |\n"
              "      - Path 1 | \"$bay\" |\n"
              "      + Path 2 | | \"$top\"\n"
              "    + SLC2 | |\n");
    // The field row leads to its gun; an item only the other model has to its chunk's window.
    window.tree.double_click(4);
    window.tree.double_click(7);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], (pof::ItemRef{pof::RecordEntry::GPNT, {{1, 0}, {2, 1}}}));
    EXPECT_EQ(shown[1], (pof::ItemRef{pof::RecordEntry::PATH, {}}));

    window.filter.type("NORMAL");
    EXPECT_EQ(window.tree.row_count(), 3u);
    EXPECT_EQ(window.tree.cell(2, 0), "Normal");
    EXPECT_EQ(window.tree.level(2), 2);
    EXPECT_EQ(window.counts.value.text,
              "6 differences: 2 changed, 1 only in the open model, 2 only in the other, 1 read "
              "failure; 1 shown");
}

TEST(CompareWindow, SaysSoWhenTheModelsHoldTheSameValues) {
    compare::frmCompare window("same.pof", [] { return std::vector<Difference>{}; }, {});
    window.opened();
    EXPECT_EQ(window.counts.value.text, "none: the two models hold the same values");
    EXPECT_EQ(window.tree.row_count(), 0u);
}

// The sample open, compared with a copy whose end caps' texture has another name.
struct CompareFlow : ::testing::Test {
    testing_pof::TempFile sample{testing_pof::ship_model()};
    testing_pof::TempFile copy{[] {
        std::string bytes = testing_pof::ship_model();
        bytes.replace(bytes.find("caps"), 4, "lids");
        return bytes;
    }()};
    testing_pof::Session s;

    compare::frmCompare* compare_with(const std::string& path) {
        s.desktop.next_dialog_result = {view::OpenFileResult::Status::Chosen, path, {}};
        s.form.menu_command("IDM_COMPARE");
        return static_cast<compare::frmCompare*>(s.viewer(compare::frmCompare::kName));
    }
    void SetUp() override { ASSERT_EQ(s.form.open_file(sample.path()), pof::ReadOutcome::Clean); }
};

TEST_F(CompareFlow, NamesTheOneDifferenceAndLeadsToItsWindow) {
    auto* window = compare_with(copy.path());
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->differences().size(), 1u);
    EXPECT_EQ(window->differences()[0].line(), "TXTR · Texture 2: \"caps\" -> \"lids\"");
    window->tree.double_click(1);
    EXPECT_NE(s.viewer("frmTXTR"), nullptr);
}

TEST_F(CompareFlow, FollowsF5AndClosesWithCloseAll) {
    compare_with(copy.path());
    s.form.reload();
    auto* again = static_cast<compare::frmCompare*>(s.viewer(compare::frmCompare::kName));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->differences().size(), 1u);
    s.form.menu_command("IDM_CLOSE_ALL");
    EXPECT_EQ(s.viewer(compare::frmCompare::kName), nullptr);
}

// The Model View offers the other model's hull while the Compare window is open, drawn in its
// own tint, and drops it once that window closes.
TEST_F(CompareFlow, TheModelViewShowsTheOtherModelWhileTheComparisonIsOpen) {
    s.form.menu_command(pof::kViewWindows[0].menu_name);
    auto* view = static_cast<scene::frmModelView*>(s.viewer(scene::frmModelView::kName));
    ASSERT_NE(view, nullptr);
    const std::size_t layers = view->markers.row_count();
    compare_with(copy.path());
    ASSERT_TRUE(view->has_other_model());
    ASSERT_EQ(view->markers.row_count(), layers + 1);
    EXPECT_EQ(view->markers.cells(layers)[0], "Show the other model");
    EXPECT_TRUE(view->picture().ghost.empty());
    view->markers.double_click(static_cast<int>(layers));
    const auto& ghost = view->picture().ghost;
    ASSERT_EQ(ghost.size(), view->picture().solids.size());
    for (std::size_t b = 0; b < ghost.size(); ++b) {
        EXPECT_EQ(ghost[b].positions, view->picture().solids[b].positions);
        EXPECT_EQ(ghost[b].texture, -1);
        EXPECT_EQ(std::vector<std::uint8_t>(ghost[b].colours.begin(), ghost[b].colours.begin() + 3),
                  (std::vector<std::uint8_t>{140, 199, 209}));
    }
    s.form.close_viewer(compare::frmCompare::kName);
    EXPECT_FALSE(view->has_other_model());
    EXPECT_EQ(view->markers.row_count(), layers);
    EXPECT_TRUE(view->picture().ghost.empty());
}

TEST_F(CompareFlow, AnArchiveMemberIsAModelToCompareWith) {
    const testing_pof::TempFile archive(testing_pof::sample_archive(), ".vp");
    auto* window = compare_with(archive.path() + ":data/models/sample.pof");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->differences().empty());
    window = compare_with(archive.path() + ":data/models/none.pof");
    ASSERT_EQ(window->differences().size(), 1u);
    EXPECT_EQ(window->differences()[0].kind, Kind::Unread);
}

}  // namespace
