#include <gtest/gtest.h>

#include "every_chunk_model.h"
#include "pof_builder.h"
#include "records/header/frmPINF.h"
#include "records/header/frmTXTR.h"
#include "session.h"
#include "table_rows.h"
#include "view/window_text.h"

namespace {

using testing_pof::Bytes;
using testing_pof::PofBuilder;
using testing_pof::Session;

template <class V>
V& open(Session& s, const std::string& bytes, std::string_view entry, std::string_view name) {
    s.read(bytes);
    s.form.menu_command(entry);
    auto* v = dynamic_cast<V*>(s.viewer(name));
    if (!v) throw std::runtime_error("viewer not open");
    return *v;
}

TEST(TextureViewer, ListsNamesWithTheirIndices) {
    Session s;
    const auto bytes = PofBuilder(2117).chunk("TXTR", Bytes().i32(2).text("hull").text("")).str();
    auto& v = open<records::frmTXTR>(s, bytes, "IDM_TXTR", "frmTXTR");
    EXPECT_EQ(v.title, "TXTR record");
    EXPECT_EQ(v.record_size.value.text, "16");
    EXPECT_EQ(v.texture_count.value.text, "2");
    EXPECT_EQ(testing_pof::rows_of(v.textures),
              (std::vector<std::vector<std::string>>{{"hull", "0"}, {"", "1"}}));
    EXPECT_EQ(v.textures.columns[0].header, "Texture Name");
    EXPECT_EQ(v.textures.columns[0].width, view::Table::Width::HalfOfList);
    EXPECT_EQ(v.textures.columns[1].header, "Index");
}

TEST(TextureViewer, ANegativeCountShowsTheCountAndNoRowsEvenWithAnOldTable) {
    Session s;
    s.read(PofBuilder(2117).chunk("TXTR", testing_pof::texture_body({"a", "b"})).str());
    const auto bytes = PofBuilder(2117).chunk("TXTR", Bytes().i32(-1)).str();
    auto& v = open<records::frmTXTR>(s, bytes, "IDM_TXTR", "frmTXTR");
    EXPECT_EQ(v.texture_count.value.text, "-1");
    EXPECT_EQ(v.textures.row_count(), 0u);
}

TEST(TextureViewer, NamesShowAsWindows1252WithNulsVisible) {
    Session s;
    const auto bytes =
        PofBuilder(2117).chunk("TXTR", Bytes().i32(1).text(std::string("caf\xE9\0x", 6))).str();
    auto& v = open<records::frmTXTR>(s, bytes, "IDM_TXTR", "frmTXTR");
    EXPECT_EQ(v.textures.cell(0, 0), "caf\xC3\xA9\xE2\x90\x80x");
}

TEST(ProductionInfoViewer, LineFeedsBecomeLineBreaksAndOtherBytesStay) {
    Session s;
    const auto bytes =
        PofBuilder(2117).chunk("PINF", Bytes().raw(std::string("ab\ncd\0e", 7))).str();
    auto& v = open<records::frmPINF>(s, bytes, "IDM_PINF", "frmPINF");
    EXPECT_EQ(v.title, "PINF record");
    EXPECT_EQ(v.record_size.value.text, "7");
    EXPECT_EQ(v.info.text,
              "ab\ncd\xE2\x90\x80"
              "e");
    EXPECT_TRUE(v.info.line_feeds_as_crlf);  // shown as "ab\r\ncd..."
    EXPECT_EQ(s.store.pinf.info, std::string("ab\ncd\0e", 7));
}

TEST(AutoCentreViewer, ShowsThePointAsFloatText) {
    Session s;
    const auto bytes =
        PofBuilder(2117).chunk("ACEN", testing_pof::acen_body(0, 1e-5f, -2.25f)).str();
    s.read(bytes);
    s.form.menu_command("IDM_ACEN");
    ASSERT_NE(s.viewer("frmACEN"), nullptr);
    EXPECT_EQ(view::viewer_text(*s.viewer("frmACEN")),
              "frmACEN  \"ACEN record\"\nRecord Size: 12\ncaption: Auto-Center\nX: 0\nY: 1E-05\n"
              "Z: -2.25\n");
}

}  // namespace
