// The text and JSON forms of a window, on a viewer made of every kind of control, so that
// each form rule (marks, numbering, selection, line breaks) is pinned without any chunk.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

#include "dump_render.h"
#include "json_stream.h"

namespace {

class SampleViewer : public view::Viewer {
  public:
    SampleViewer() : Viewer("frmSAMPLE", "SAMPLE record") {
        group(outer, {&count, &items, &heading});
        group(empty, {&notes});
        set_layout(column({row({&size, &id_value}), &outer, &points, &empty, &names}));
    }
    void opened() override {
        size.value.text = "48";
        id_value.text = "A\tB";
        count.value.text = "2";
        items.rows = {"Item 0", "Item 1"};
        heading.enabled = false;
        points.columns[1]->enabled = false;
        points.cell(0, 0).text = "1.5";
        points.cell(0, 1).text = "-2";
        points.cell(1, 1).enabled = false;
        notes.text = "first\r\nsecond\n\nfourth\rstill fourth";
        names.add_row({"hull", "0"});
        names.add_row({"", "1"});
        names.selected = 1;
        names.enabled = false;
        outer.enabled = false;
    }

    view::Field size{"Record Size"};
    view::Value id_value{"lblId"};
    view::Group outer{"Items"};
    view::Field count{"# items"};
    view::DropDown items{[this](int i) { size.value.text = "chose " + std::to_string(i); },
                         "cboItems"};
    view::Caption heading{"Heading"};
    view::Grid points{{"a", "b"}, {"X", "Y"}};
    view::Group empty{""};
    view::TextBox notes{"Label2"};
    view::Table names{{{"Name", view::Table::Width::HalfOfList}, {"Index"}}, "ListView1"};
};

class RenderTest : public ::testing::Test {
  protected:
    void SetUp() override { viewer.opened(); }
    SampleViewer viewer;
};

TEST_F(RenderTest, TextShowsEveryControlInLayoutOrderWithItsMarks) {
    EXPECT_EQ(pofdump::viewer_text(viewer),
              "frmSAMPLE  \"SAMPLE record\"\n"
              "Record Size: 48\n"
              "value lblId: A\u2409B\n"
              "[Items] (disabled)\n"
              "  # items: 2\n"
              "  list 1 cboItems: 2 rows, selected none\n"
              "      Item 0\n"
              "      Item 1\n"
              "  caption: Heading (disabled)\n"
              "grid: | a | b (disabled)\n"
              "  X | 1.5 | -2\n"
              "  Y | | (disabled)\n"
              "[]\n"
              "  text Label2:\n"
              "    | first\n"
              "    | second\n"
              "    |\n"
              "    | fourth\u240Dstill fourth\n"
              "list 2 ListView1 (disabled): 2 rows, selected 1\n"
              "  columns: Name | Index\n"
              "    hull | 0\n"
              "  >  | 1\n");
}

// The PINF window holds its text once: each line feed stands for CR LF, which JSON shows and
// the text form ends its line on, while a CR of the file's own stays in its line.
TEST_F(RenderTest, LineFeedsStandingForCrLfKeepTheFilesOwnCarriageReturns) {
    viewer.notes.text = "a\r\nb\nc\r";
    viewer.notes.line_feeds_as_crlf = true;
    const std::string text = pofdump::viewer_text(viewer);
    EXPECT_NE(text.find("  text Label2:\n    | a\u240D\n    | b\n    | c\n"), std::string::npos)
        << text;
    const auto j = nlohmann::json::parse(pofdump::json_text(pofdump::viewer_json(viewer)));
    EXPECT_EQ(j["controls"][4]["children"][0]["text"], "a\r\r\nb\r\nc\r");
}

TEST_F(RenderTest, ChoosingInCodeShowsInTheNextRendering) {
    viewer.items.choose(1);
    const std::string text = pofdump::viewer_text(viewer);
    EXPECT_NE(text.find("Record Size: chose 1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  list 1 cboItems: 2 rows, selected 1\n      Item 0\n    > Item 1\n"),
              std::string::npos)
        << text;
}

TEST_F(RenderTest, JsonFlattensBoxesAndNumbersListsLikeTheText) {
    const auto j = nlohmann::json::parse(pofdump::json_text(pofdump::viewer_json(viewer)));
    EXPECT_EQ(j["window"], "frmSAMPLE");
    EXPECT_EQ(j["title"], "SAMPLE record");
    const auto& controls = j["controls"];
    ASSERT_EQ(controls.size(), 6u);  // the row box gives way to its two children
    EXPECT_EQ(controls[0]["kind"], "field");
    EXPECT_EQ(controls[0]["value"], "48");
    EXPECT_EQ(controls[1]["kind"], "value");
    EXPECT_EQ(controls[1]["name"], "lblId");
    EXPECT_EQ(controls[1]["text"], "A\tB");  // JSON keeps the text as it is

    const auto& group = controls[2];
    EXPECT_EQ(group["caption"], "Items");
    EXPECT_FALSE(group["enabled"]);
    const auto& items = group["children"][1];
    EXPECT_EQ(items["kind"], "dropdown");
    EXPECT_EQ(items["list"], 1);
    EXPECT_TRUE(items["selected"].is_null());
    EXPECT_EQ(items["rows"], (nlohmann::json{"Item 0", "Item 1"}));

    const auto& grid = controls[3];
    EXPECT_FALSE(grid["columns"][1]["enabled"]);
    EXPECT_EQ(grid["rows"][0]["header"]["text"], "X");
    EXPECT_EQ(grid["rows"][0]["cells"], (nlohmann::json{"1.5", "-2"}));
    EXPECT_EQ(grid["rows"][1]["cells_enabled"], (nlohmann::json{true, false}));

    EXPECT_EQ(controls[4]["children"][0]["text"], "first\r\nsecond\n\nfourth\rstill fourth");

    const auto& names = controls[5];
    EXPECT_EQ(names["kind"], "table");
    EXPECT_EQ(names["list"], 2);
    EXPECT_EQ(names["selected"], 1);
    EXPECT_FALSE(names["enabled"]);
    EXPECT_EQ(names["columns"][0]["width"], "half");
    EXPECT_EQ(names["columns"][1]["width"], "fit");
    EXPECT_EQ(names["rows"][1], (nlohmann::json{"", "1"}));
}

TEST_F(RenderTest, JsonKeysKeepTheirDocumentedOrder) {
    const auto j = pofdump::viewer_json(viewer);
    auto keys = [](const pofdump::Json& object) {
        std::vector<std::string> out;
        for (const auto& item : object.items()) out.push_back(item.key());
        return out;
    };
    EXPECT_EQ(keys(j), (std::vector<std::string>{"window", "title", "controls"}));
    EXPECT_EQ(keys(j["controls"][0]),
              (std::vector<std::string>{"kind", "name", "enabled", "caption", "value"}));
    EXPECT_EQ(keys(j["controls"][5]), (std::vector<std::string>{"kind", "list", "name", "enabled",
                                                                "selected", "columns", "rows"}));
}

TEST(OneLine, EveryTextBecomesOneLineOfUtf8) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {std::string("a\nb\x7F", 4), "a\u240Ab\u2421"},
        {std::string("\0", 1), "\u2400"},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
        // C1 controls (Windows-1252 0x81 reads as U+0081) and the Unicode line breaks.
        {"\xC2\x81|\xC2\x85|\xC2\x9D|\xC2\xA0", "\\x81|\\x85|\\x9D|\xC2\xA0"},
        {"\xE2\x80\xA8|\xE2\x80\xA9|\xE2\x80\xA7", "\\u2028|\\u2029|\xE2\x80\xA7"},
        // Not UTF-8: stray, overlong, surrogate, cut short and past U+10FFFF.
        {"\xFF\x80"
         "a",
         "\uFFFD\uFFFD"
         "a"},
        {"\xC0\xAF|\xED\xA0\x80|\xF4\x90\x80\x80",
         "\uFFFD\uFFFD|\uFFFD\uFFFD\uFFFD|\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"x\xE2\x82", "x\uFFFD\uFFFD"},
    };
    for (const auto& [text, shown] : cases) EXPECT_EQ(pofdump::one_line(text), shown) << text;
    // A control's text keeps what one_line escapes, only the bytes that are not UTF-8 replaced,
    // so each form escapes it once.
    EXPECT_EQ(view::utf8_text("a\\b\n\xE2\x80\xA8\xFF\xC0\xAFx\xE2\x82"),
              "a\\b\n\xE2\x80\xA8\uFFFD\uFFFD\uFFFDx\uFFFD\uFFFD");
}

// Long strings are escaped piece by piece; the pieces must join to what one escape of the
// whole string gives, whatever bytes sit at the cuts.
TEST(JsonText, StringsEscapedInPiecesMatchTheWholeString) {
    std::mt19937 random(13);
    const std::string alphabet("a\n\"\\\x01\x7F\xC2\x85\xE2\x80\xA8\xF0\x9F\x98\x80\xFF\xBF");
    for (std::size_t piece = 1; piece <= 8; ++piece) {
        for (int round = 0; round < 50; ++round) {
            std::string text(40, ' ');
            for (char& c : text) c = alphabet[random() % alphabet.size()];
            std::string pieces;
            pofdump::append_json_string(pieces, text, piece);
            EXPECT_EQ(pieces, nlohmann::json(text).dump(-1, ' ', false,
                                                        nlohmann::json::error_handler_t::replace))
                << "pieces of " << piece;
        }
    }
}

TEST(JsonText, BytesThatAreNotUtf8DoNotStopTheOutput) {
    const pofdump::Json j{{"path", std::string("model\xFF.pof")}};
    EXPECT_EQ(pofdump::json_text(j), "{\n  \"path\": \"model\xEF\xBF\xBD.pof\"\n}\n");
}

}  // namespace
