// The archive window's logic: opened by File > Open of a file whose magic is VPVP, its filter
// and sortable columns, and a member opened in the main window as File > Open opens a file.

#include "shell/frmArchive.h"

#include <algorithm>
#include <string_view>

#include <gtest/gtest.h>

#include "every_chunk_model.h"
#include "session.h"
#include "shell/archive_text.h"
#include "table_rows.h"
#include "temp_file.h"
#include "view/fit_text.h"
#include "vp_builder.h"

namespace {

using shell::frmArchive;
using testing_pof::Session;
using testing_pof::TempFile;
using testing_pof::VpBuilder;

const std::string kModel = testing_pof::every_chunk_model();

// data/models/{ship.pof, tiny.pof}, data/maps/hull.dds, data/tables/ships.tbl, readme.txt
std::string mod_archive(const std::string& ship = kModel) {
    return VpBuilder()
        .folder("data")
        .folder("models")
        .file("ship.pof", ship, 1066435200)  // 2003-10-18 00:00:00
        .file("tiny.pof", "PSPO", 86399)
        .up()
        .folder("maps")
        .file("hull.dds", "DDS 0123456789", -1)
        .up()
        .folder("tables")
        .file("ships.tbl", "#Ship Classes")
        .up()
        .up()
        .file("readme.txt", "hi")
        .str();
}

struct ArchiveSession : Session {
    explicit ArchiveSession(const std::string& bytes) : vp(bytes, ".vp") {
        form.open_file(vp.path());
    }
    frmArchive& window() { return static_cast<frmArchive&>(*viewer(frmArchive::kName)); }
    view::Table& files() {
        return static_cast<view::Table&>(*view::lists_of(window().layout())[0]);
    }
    view::TextInput& filter() { return *view::inputs_of(window().layout())[0]; }
    std::vector<std::string> column(std::size_t c) {
        std::vector<std::string> out;
        for (const auto& row : testing_pof::rows_of(files())) out.push_back(row[c]);
        return out;
    }
    int row_of(const std::string& path) {
        const auto paths = column(1);
        return static_cast<int>(std::find(paths.begin(), paths.end(), path) - paths.begin());
    }
    TempFile vp;
};

// The rows, the columns and their words are in the golden texts (tests/golden/archive.txt).
TEST(ArchiveWindow, OpensBesideTheMainWindowWhichKeepsItsModel) {
    ArchiveSession s(mod_archive());
    ASSERT_NE(s.viewer(frmArchive::kName), nullptr);
    EXPECT_EQ(s.window().title, s.vp.path().substr(s.vp.path().rfind('/') + 1));
    EXPECT_TRUE(s.desktop.messages.empty());
    EXPECT_EQ(s.form.file_label().text, "");
    EXPECT_EQ(s.column(3), (std::vector<std::string>{"2003-10-18 00:00:00", "1970-01-01 23:59:59",
                                                     "1969-12-31 23:59:59", "1970-01-01 00:00:00",
                                                     "1970-01-01 00:00:00"}));
}

TEST(ArchiveWindow, TheFilterNarrowsTheListAsOneTypesAndKeepsTheChoice) {
    ArchiveSession s(mod_archive());
    s.files().click(s.row_of("data/models/tiny.pof"));
    s.filter().type("/M");
    EXPECT_EQ(s.column(1), (std::vector<std::string>{"data/models/ship.pof", "data/models/tiny.pof",
                                                     "data/maps/hull.dds"}));
    s.filter().type("MODELS/T");
    EXPECT_EQ(s.column(1), (std::vector<std::string>{"data/models/tiny.pof"}));
    EXPECT_EQ(s.files().selected, 0);
    EXPECT_EQ(s.window().status(), "1 of 5 files shown");
    s.filter().type("nothing like it");
    EXPECT_EQ(s.files().row_count(), 0u);
    EXPECT_EQ(s.files().selected, -1);
    s.filter().type("");
    EXPECT_EQ(s.files().row_count(), 5u);
}

// Ties fall back to the directory order, whichever column was sorted before; the filter
// keeps the order.
TEST(ArchiveWindow, AColumnHeaderSortsTheRowsAndASecondClickReversesThem) {
    ArchiveSession s(mod_archive());
    s.files().sort_by(4);  // Kind: two POF models
    s.files().sort_by(4);
    EXPECT_EQ(s.column(0), (std::vector<std::string>{"6", "9", "12", "2", "3"}));
    s.files().sort_by(3);  // a new column sorts ascending
    EXPECT_TRUE(s.files().order.ascending);
    EXPECT_EQ(s.column(3).front(), "1969-12-31 23:59:59");
    s.files().sort_by(1);
    s.files().sort_by(1);
    s.filter().type(".pof");
    EXPECT_EQ(s.column(1),
              (std::vector<std::string>{"data/models/tiny.pof", "data/models/ship.pof"}));
}

TEST(ArchiveWindow, ADoubleClickOnAModelOpensItAsFileOpenWouldAndTheWindowStays) {
    ArchiveSession s(mod_archive());
    Session loose;
    loose.read(kModel);
    s.files().double_click(s.row_of("data/models/ship.pof"));
    EXPECT_EQ(s.form.file_label().text, s.vp.path() + " \u203A data/models/ship.pof");
    EXPECT_EQ(s.rows(), loose.rows());
    EXPECT_TRUE(s.entry_enabled("IDM_TXTR"));
    EXPECT_TRUE(s.desktop.messages.empty());
    ASSERT_NE(s.viewer(frmArchive::kName), nullptr);

    // The next model resets the main window as File > Open does.
    s.form.menu_command("IDM_TXTR");
    s.files().double_click(s.row_of("data/models/tiny.pof"));
    EXPECT_TRUE(s.rows().empty());
    EXPECT_EQ(s.viewer("frmTXTR"), nullptr);
    ASSERT_NE(s.viewer(frmArchive::kName), nullptr);

    // Anything else stays where it is, and the status line says why.
    s.files().double_click(s.row_of("data/maps/hull.dds"));
    EXPECT_EQ(s.form.file_label().text, s.vp.path() + " \u203A data/models/tiny.pof");
    EXPECT_EQ(s.window().status(),
              "data/maps/hull.dds is not a POF model: only POF models open in the main window.");
    EXPECT_FALSE(s.window().open_path("data/models/none.pof"));
    EXPECT_EQ(s.window().open_path("DATA/MODELS/SHIP.POF"), pof::ReadOutcome::Clean);
    EXPECT_EQ(s.rows(), loose.rows());
}

TEST(ArchiveWindow, F5ReadsTheMemberAgainFromTheArchiveAsItIsNow) {
    ArchiveSession s(mod_archive());
    s.window().open_path("data/models/tiny.pof");
    EXPECT_TRUE(s.rows().empty());
    // The archive is written again with another model at that path.
    s.vp.write(VpBuilder().folder("data").folder("models").file("tiny.pof", kModel).str());
    EXPECT_EQ(s.form.reload(), pof::ReadOutcome::Clean);
    EXPECT_FALSE(s.rows().empty());
    s.vp.write(VpBuilder().file("other.pof", kModel).str());
    EXPECT_EQ(s.form.reload(), pof::ReadOutcome::OpenFailed);
    EXPECT_EQ(s.desktop.messages.back(),
              "Cannot open " + s.vp.path() +
                  " \u203A data/models/tiny.pof: the archive holds no file of that path");
    EXPECT_EQ(s.form.file_label().text, s.vp.path() + " \u203A data/models/tiny.pof");
    EXPECT_TRUE(s.rows().empty());
}

TEST(ArchiveWindow, AnotherArchiveReplacesTheWindowAndALooseModelLeavesIt) {
    ArchiveSession s(mod_archive());
    const TempFile other(VpBuilder().file("one.pof", kModel).str(), ".vp"), loose(kModel);
    s.windows.log.clear();
    EXPECT_EQ(s.form.open_file(loose.path()), pof::ReadOutcome::Clean);
    EXPECT_EQ(s.window().listed().members().size(), 5u);
    EXPECT_EQ(s.form.open_file(other.path()), pof::ReadOutcome::Clean);
    EXPECT_EQ(s.window().listed().members().size(), 1u);
    EXPECT_EQ(std::count(s.windows.log.begin(), s.windows.log.end(), "close frmArchive"), 1);
    EXPECT_EQ(s.form.file_label().text, loose.path());  // an archive leaves the main window
    s.form.closing();
    EXPECT_EQ(s.viewer(frmArchive::kName), nullptr);
}

}  // namespace

// Texture Folders' Add… starts in the folder of the archive a model was read from.
TEST(ArchiveWindow, TextureFoldersStartInTheArchivesFolder) {
    ArchiveSession s(mod_archive());
    s.window().open_path("data/models/ship.pof");
    s.desktop.next_folders = std::vector<std::string>{"/textures"};
    s.form.menu_command("IDM_TEXTURE_FOLDERS");
    EXPECT_EQ(s.desktop.folders_start, s.vp.path().substr(0, s.vp.path().rfind('/')));
    EXPECT_EQ(s.store.texture_folders, std::vector<std::string>{"/textures"});
}

// Of two entries of one path, the later is the one the window marks, a double-click on
// either opens and F5 reads again.
TEST(ArchiveWindow, TwoEntriesOfOnePathOpenTheLaterFromEveryWay) {
    const std::string other = testing_pof::every_chunk_model(2201);
    ArchiveSession s(VpBuilder()
                         .file("Ship.pof", kModel)
                         .file("tiny.pof", "PSPO")
                         .file("SHIP.POF", other)
                         .str());
    Session earlier, later;
    earlier.read(kModel);
    later.read(other);
    ASSERT_NE(earlier.rows(), later.rows());
    EXPECT_EQ(s.column(4), (std::vector<std::string>{"POF model; its path opens entry 2",
                                                     "POF model", "POF model"}));
    s.files().double_click(s.row_of("Ship.pof"));
    EXPECT_EQ(s.rows(), later.rows());
    EXPECT_EQ(s.window().status(),
              "Entry 2 was opened: it has the path of entry 0 and comes later in the directory.");
    s.form.reload();
    EXPECT_EQ(s.rows(), later.rows());
    s.files().double_click(s.row_of("SHIP.POF"));
    EXPECT_EQ(s.window().status(), "3 of 3 files shown");
}

// A narrow window cuts the label's folders, the archive's first, and the summary's path,
// never a name or the counts; the width here is one unit a character.
TEST(FitText, LabelAndSummaryKeepTheirNamesAndCounts) {
    const auto chars = [](std::string_view t) {
        return static_cast<int>(std::count_if(t.begin(), t.end(), [](char c) {
            return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        }));
    };
    const std::string vp = "/home/me/games/fs2/mod.vp", member = "data/models/fighter.pof";
    const std::string label = vp + " \u203A " + member;
    const auto label_parts = shell::file_label_parts(label, vp, member);
    const auto loose_parts = shell::file_label_parts("/mods/x/ship.pof", "/mods/x/ship.pof", "");
    const auto summary =
        shell::summary_parts(vp, "3 files in 2 folders, 10 bytes; 1 fault in its directory");
    const struct {
        const std::vector<view::FitPart>* parts;
        int room;
        std::string shown;
    } cases[] = {
        {&label_parts, 99, label},
        {&label_parts, 46, "/home/m\u2026s/fs2/mod.vp \u203A data/models/fighter.pof"},
        {&label_parts, 34, "/\u2026mod.vp \u203A data/models/fighter.pof"},
        {&label_parts, 30, "\u2026mod.vp \u203A data\u2026els/fighter.pof"},
        {&label_parts, 23, "\u2026mod.vp \u203A d\u2026fighter.pof"},
        // Even the names do not fit: the whole is cut in its middle.
        {&label_parts, 9, "\u2026mod\u2026.pof"},
        {&loose_parts, 13, "/m\u2026x/ship.pof"},
        {&summary, 80,
         "/home/me/ga\u2026fs2/mod.vp: 3 files in 2 folders, 10 bytes; 1 fault in its directory"},
        {&summary, 60, "/\u2026: 3 files in 2 folders, 10 bytes; 1 fault in its directory"},
    };
    for (const auto& c : cases) {
        const std::string shown = view::fit_text(*c.parts, chars, c.room);
        EXPECT_EQ(shown, c.shown) << c.room;
        EXPECT_LE(chars(shown), c.room);
    }
    EXPECT_EQ(view::whole_text(label_parts), label);
    // A label that is not the file's own gets no parts: it is cut in its middle.
    EXPECT_TRUE(shell::file_label_parts("other", vp, member).empty());
}
