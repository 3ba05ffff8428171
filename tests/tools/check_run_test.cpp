// pofdump --check: the diagnostic lines, the JSON form and the exit statuses.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <map>
#include <sstream>

#include "check/finding.h"
#include "clean_model.h"
#include "dump_fixture.h"

namespace {

using dump_testing::dump;
using dump_testing::TempFile;
using testing_pof::Bytes;
using testing_pof::CleanModel;

// A model with one warning (a gun normal of length 2) and, when asked, one error (an eye
// point on subobject 2 of 2).
std::string model(bool with_error) {
    CleanModel m;
    m.gpnt = Bytes().i32(1).i32(1).vec(0, 0, 0).vec(0, 0, 2);
    if (with_error) m.eye = testing_pof::eye_body(3);
    return m.str();
}

TEST(CheckRun, PrintsOneLinePerFindingThenTheTallyPerFile) {
    TempFile clean(CleanModel().str()), warned(model(false)), broken(model(true));
    const dump_testing::HullTexture hull;
    const auto d = dump({"--check", "--textures", hull.folder(), clean.path(), warned.path()});
    EXPECT_EQ(d.status, 0);
    const std::string offset =
        std::to_string(8 + 8 + CleanModel().header.size() + 8 + CleanModel().hull.size() + 8 +
                       CleanModel().turret.size() + 8 + CleanModel().txtr.size());
    EXPECT_TRUE(dump_testing::has_lines(
        d.out, {clean.path() + ": 0 errors, 0 warnings, 0 notes",
                warned.path() + ":" + offset +
                    ": warning: GPNT \xC2\xB7 Slot 0 \xC2\xB7 Gun 0: the normal (0, 0, 2) has "
                    "length 2, not 1 [normal-length]",
                warned.path() + ": 0 errors, 1 warning, 0 notes"}));
    EXPECT_EQ(dump({"--check", clean.path(), broken.path()}).status, 1);
}

TEST(CheckRun, JsonHoldsOneObjectPerFile) {
    TempFile broken(model(true)), missing("");
    std::filesystem::remove(missing.path());
    const dump_testing::HullTexture hull;
    const auto d =
        dump({"--check", "--json", "--textures", hull.folder(), broken.path(), missing.path()});
    EXPECT_EQ(d.status, 1);
    const auto json = nlohmann::json::parse(d.out);
    ASSERT_EQ(json.size(), 2u);
    EXPECT_EQ(json[0]["file"], broken.path());
    EXPECT_EQ(json[0]["errors"], 1);
    EXPECT_EQ(json[0]["warnings"], 1);
    EXPECT_EQ(json[0]["notes"], 0);
    const auto& eye = json[0]["findings"][1];
    EXPECT_EQ(eye["severity"], "error");
    EXPECT_EQ(eye["code"], "eye-subobject");
    EXPECT_EQ(eye["chunk"], "EYE ");
    EXPECT_EQ(eye["place"], "Eye Point 2");
    EXPECT_EQ(json[1]["findings"][0]["code"], "read");
    EXPECT_EQ(json[1]["errors"], 1);
}

TEST(CheckRun, StepsOrNoFileAreBadUsage) {
    TempFile clean(CleanModel().str());
    for (const char* step : {"--view=OHDR", "--choose=1:0", "--open=1:0", "--window=frmPOF"}) {
        EXPECT_EQ(dump({"--check", step, clean.path()}).status, 2) << step;
    }
    EXPECT_EQ(dump({"--check"}).status, 2);
    EXPECT_EQ(dump({clean.path(), clean.path()}).status, 2);
}

// The table of codes, as text and JSON, is the check's own: one row per code in code order.
TEST(CheckRun, CodesPrintTheTableOfEveryCode) {
    const auto text = dump({"--check", "--codes"});
    EXPECT_EQ(text.status, 0);
    std::istringstream lines(text.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "code\tseverity\tfinds\tthe game");
    int rows = 0;
    for (; std::getline(lines, line); ++rows) {
        const auto code = static_cast<check::Code>(rows);
        ASSERT_LT(rows, check::kCodeCount) << line;
        EXPECT_EQ(line, std::string(check::code_name(code)) + "\t" +
                            std::string(check::severity_text(code)) + "\t" +
                            std::string(check::code_finds(code)) + "\t" +
                            std::string(check::code_game(code)));
    }
    EXPECT_EQ(rows, check::kCodeCount);

    const auto json = dump({"--check", "--codes", "--json"});
    EXPECT_EQ(json.status, 0);
    const auto table = nlohmann::json::parse(json.out);
    ASSERT_EQ(table.size(), static_cast<std::size_t>(check::kCodeCount));
    std::map<std::string, std::string> severities;
    for (const auto& row : table) {
        EXPECT_EQ(row.size(), 4u);
        severities[row.at("code")] = row.at("severity");
        EXPECT_FALSE(row.at("finds").get<std::string>().empty());
        EXPECT_FALSE(row.at("game").get<std::string>().empty());
    }
    EXPECT_EQ(severities["dock-point-count"], "error or warning");
    EXPECT_EQ(severities["unknown-chunk"], "note");
    EXPECT_EQ(severities["debris-count"], "error");
    EXPECT_EQ(severities["turret-gun"], "warning");
    EXPECT_EQ(table[0].at("code"), "read");
}

}  // namespace
