// The block viewers over blocks written byte by byte: what each shows, the activation
// rules, and blocks that do not hold what they announce.

#include <gtest/gtest.h>

#include "every_chunk_model.h"
#include "pof_builder.h"
#include "records/subobjects/frmBOUNDBOX.h"
#include "records/subobjects/frmDEFPOINTS.h"
#include "records/subobjects/frmPOLY.h"
#include "records/subobjects/frmSOBJ.h"
#include "records/subobjects/frmSORTNORM.h"
#include "session.h"
#include "subobject_model.h"
#include "table_rows.h"

namespace {

using testing_pof::Bytes;
using testing_pof::PofBuilder;
using testing_pof::Session;
namespace bsp = testing_pof::bsp;

// A model whose one subobject holds the given BSP data, its subobject viewer open.
struct Blocks {
    explicit Blocks(const Bytes& data) {
        s.read(PofBuilder(2117)
                   .chunk("HDR2", testing_pof::header_body(2117, {.subobjects = 1}))
                   .chunk("OBJ2", testing_pof::subobject_body(2117, {.bsp = data}))
                   .str());
        s.form.menu_command("IDM_SOBJ");
    }
    records::frmSOBJ& sobj() { return dynamic_cast<records::frmSOBJ&>(*s.viewer("frmSOBJ")); }
    // Double-clicks the block row, then activates the window it brought forward.
    template <class V>
    V& open(int row, const char* name) {
        sobj().blocks.double_click(row);
        auto& v = dynamic_cast<V&>(*s.viewer(name));
        v.activated();
        return v;
    }
    Session s;
};

std::vector<std::string> column(const view::DropDown& d) {
    return d.rows;
}

TEST(VertexViewer, WalksPositionsAndNormalsFromTheDataOffset) {
    Blocks b(
        Bytes()
            .raw(bsp::boundbox({0, 0, 0}, {1, 1, 1}))
            .raw(bsp::defpoints({{{1, 2, 3}, {{0, 0, 1}}}, {{4, 5, 6}, {{1, 0, 0}, {0, -1, 0}}}})));
    auto& v = b.open<records::frmDEFPOINTS>(1, "frmDEFPOINTS");
    EXPECT_EQ(v.title, "frmDEFPOINTS");
    EXPECT_EQ(v.bsp_offset.value.text, "32");
    EXPECT_EQ(v.record_size.value.text, "84");
    EXPECT_EQ(v.normal_total.value.text, "3");
    EXPECT_EQ(v.data_offset.value.text, "24");
    EXPECT_EQ(column(v.vertices), (std::vector<std::string>{"Vertex 0", "Vertex 1"}));
    EXPECT_TRUE(v.vertices.enabled);
    v.vertices.choose(1);
    EXPECT_EQ(v.vertex_group.caption, "Vertex 1 Data");
    EXPECT_EQ(v.normal_count.value.text, "2");
    EXPECT_EQ(v.position.cell(2, 0).text, "6");
    EXPECT_EQ(column(v.normals), (std::vector<std::string>{"Normal 0", "Normal 1"}));
    EXPECT_EQ(v.normal_group.caption, "Normal 0 Data");
    v.normals.choose(1);
    EXPECT_EQ(v.normal_y.value.text, "-1");
    EXPECT_EQ(v.note.text, "");
}

TEST(VertexViewer, AVertexWithoutNormalsLeavesNoOtherNormalOnScreen) {
    Blocks b(bsp::defpoints({{{1, 1, 1}, {{0, 0, 1}}}, {{2, 2, 2}, {}}}));
    auto& v = b.open<records::frmDEFPOINTS>(0, "frmDEFPOINTS");
    EXPECT_EQ(v.normal_z.value.text, "1");
    v.vertices.choose(1);
    EXPECT_TRUE(v.normals.rows.empty());
    EXPECT_TRUE(v.normals.enabled);
    EXPECT_EQ(v.normal_group.caption, "");
    EXPECT_EQ(v.normal_z.value.text, "");
}

TEST(VertexViewer, ADifferentVertexBlockRebuildsTheOpenViewer) {
    Blocks b(Bytes()
                 .raw(bsp::defpoints({{{1, 1, 1}, {}}}))
                 .raw(bsp::defpoints({{{2, 2, 2}, {}}, {{3, 3, 3}, {}}})));
    auto& v = b.open<records::frmDEFPOINTS>(0, "frmDEFPOINTS");
    EXPECT_FALSE(v.vertices.enabled);
    b.sobj().blocks.double_click(1);
    EXPECT_EQ(&v, b.s.viewer("frmDEFPOINTS")) << "the same window, not a new one";
    EXPECT_EQ(v.bsp_offset.value.text, "36");
    EXPECT_EQ(v.vertices.rows.size(), 2u);
    EXPECT_TRUE(v.vertices.enabled);
    EXPECT_EQ(v.position.cell(0, 0).text, "2");
}

TEST(VertexViewer, CountsThatDoNotFitShowWhatWasReadAndSaySo) {
    // 2147483647 vertices, normal count byte 200 for the first, data from 24 on.
    Bytes block = Bytes().i32(1).i32(40).i32(2147483647).i32(-1).i32(24).u8(200).u8(0);
    block.u8(0).u8(0).vec(7, 8, 9).f32(0);
    Blocks b(block);
    auto& v = b.open<records::frmDEFPOINTS>(0, "frmDEFPOINTS");
    EXPECT_EQ(v.vertex_count.value.text, "2147483647");
    EXPECT_EQ(v.normal_total.value.text, "-1");
    EXPECT_TRUE(v.vertices.rows.empty()) << "vertex 0 announces 200 normals the block lacks";
    EXPECT_NE(v.note.text.find("Cut short"), std::string::npos) << v.note.text;

    Blocks none(Bytes().i32(1).i32(20).i32(-1).i32(0).i32(20));
    auto& n = none.open<records::frmDEFPOINTS>(0, "frmDEFPOINTS");
    EXPECT_EQ(n.vertex_count.value.text, "-1");
    EXPECT_FALSE(n.vertices.enabled);
    EXPECT_FALSE(n.normals.enabled);
    EXPECT_FALSE(n.vertex_group.enabled);
    EXPECT_FALSE(n.normal_count.caption.enabled);
    EXPECT_FALSE(n.position.rows[0]->enabled);
    EXPECT_FALSE(n.normal_x.caption.enabled);
    EXPECT_EQ(n.note.text, "");
}

TEST(PolygonViewers, FlatShowsUnsignedColoursAndSignedIndices) {
    Blocks b(bsp::flatpoly({{0, 0}, {1, 1}, {2, -1}}, 255, 128, 0));
    auto& v = b.open<records::frmPOLY>(0, "frmFLATPOLY");
    EXPECT_EQ(v.title, "frmFLATPOLY");
    EXPECT_EQ(v.red.value.text, "255");
    EXPECT_EQ(v.green.value.text, "128");
    EXPECT_EQ(v.alpha.value.text, "0");
    EXPECT_EQ(v.radius.value.text, "4.5");
    EXPECT_EQ(v.entries.columns[1].header, "Vertex (Index)");
    EXPECT_EQ(testing_pof::rows_of(v.entries),
              (std::vector<std::vector<std::string>>{
                  {"0", "0", "0"}, {"1", "1", "1"}, {"2", "2", "-1"}}));
}

TEST(PolygonViewers, TexturedShowsTheTextureAndUvAndKeepsItsBlockAfterAnEof) {
    Blocks b(Bytes()
                 .raw(bsp::tmappoly({{5, 7, 0.5f, 1.0f}}, 2))
                 .raw(bsp::tmappoly({{1, 2, 0.25f, 0}}, 9))
                 .raw(bsp::eof()));
    auto& v = b.open<records::frmPOLY>(0, "frmTMAPPOLY");
    EXPECT_EQ(v.texture.value.text, "2");
    EXPECT_EQ(v.entries.columns.size(), 5u);
    EXPECT_EQ(testing_pof::rows_of(v.entries),
              (std::vector<std::vector<std::string>>{{"0", "5", "7", "0.5", "1"}}));
    b.sobj().blocks.double_click(2);  // EOF: opens nothing, changes the current block
    v.activated();
    EXPECT_EQ(v.bsp_offset.value.text, "0");
    EXPECT_EQ(v.entries.row_count(), 1u);
    b.sobj().blocks.double_click(1);
    v.activated();
    EXPECT_EQ(v.bsp_offset.value.text, "56");
    EXPECT_EQ(v.texture.value.text, "9");
    EXPECT_EQ(testing_pof::rows_of(v.entries),
              (std::vector<std::vector<std::string>>{{"0", "1", "2", "0.25", "0"}}));
}

TEST(PolygonViewers, EntriesPastTheBlockEndAreLeftOutAndNoted) {
    Bytes block = bsp::flatpoly({{1, 1}, {2, 2}});
    std::string bytes = block.str();
    bytes[36] = 5;  // five entries announced, two stored
    Blocks b(Bytes().raw(bytes));
    auto& v = b.open<records::frmPOLY>(0, "frmFLATPOLY");
    EXPECT_EQ(v.vertex_count.value.text, "5");
    EXPECT_EQ(v.entries.row_count(), 2u);
    EXPECT_NE(v.note.text.find("byte 52"), std::string::npos) << v.note.text;
}

TEST(FixedBlockViewers, SortnormAndBoundboxShowTheirFieldsAndFollowTheCurrentBlock) {
    Blocks b(Bytes()
                 .raw(bsp::sortnorm(80, 0))
                 .raw(bsp::sortnorm(-8, 160))
                 .raw(bsp::boundbox({-1, -2, -3}, {1, 2, 3})));
    auto& sort = b.open<records::frmSORTNORM>(0, "frmSORTNORM");
    EXPECT_EQ(sort.front.value.text, "80");
    EXPECT_EQ(sort.back.value.text, "0");
    EXPECT_EQ(sort.plane.cell(1, 0).text, "1");
    EXPECT_EQ(sort.box.cell(0, 1).text, "1");
    b.sobj().blocks.double_click(1);
    sort.activated();
    EXPECT_EQ(sort.bsp_offset.value.text, "80");
    EXPECT_EQ(sort.front.value.text, "-8");

    auto& box = b.open<records::frmBOUNDBOX>(2, "frmBOUNDBOX");
    EXPECT_EQ(box.box.cell(0, 0).text, "-1");
    EXPECT_EQ(box.box.cell(2, 0).text, "-3");
    EXPECT_EQ(box.box.cell(2, 1).text, "3");
}

TEST(FixedBlockViewers, ABlockShorterThanItsLayoutShowsItsFirstValues) {
    // A SORTNORM block that declares 80 bytes at the end of 44 bytes of BSP data.
    Bytes data = Bytes().i32(4).i32(80).vec(0, 1, 0).vec(2, 3, 4).i32(0).i32(80).i32(6);
    Blocks b(data);
    auto& v = b.open<records::frmSORTNORM>(0, "frmSORTNORM");
    EXPECT_EQ(v.back.value.text, "6");
    EXPECT_EQ(v.prelist.value.text, "");
    EXPECT_EQ(v.box.cell(0, 0).text, "");
    EXPECT_NE(v.note.text.find("Only 44 of the block's 80 bytes"), std::string::npos)
        << v.note.text;
}

// Padding bytes of any value between the normal counts and the vertex data: the vertices are
// read from the data offset, not from the end of the counts.
TEST(VertexViewer, PaddedVertexDataIsReadFromTheDataOffset) {
    Blocks b(bsp::defpoints({{{1, 2, 3}, {}}, {{4, 5, 6}, {{0, 0, 1}}}, {{7, 8, 9}, {}}}, 0xAB));
    auto& v = b.open<records::frmDEFPOINTS>(0, "frmDEFPOINTS");
    EXPECT_EQ(v.data_offset.value.text, "24");
    v.vertices.choose(2);
    EXPECT_EQ(v.position.cell(0, 0).text, "7");
    EXPECT_EQ(v.position.cell(2, 0).text, "9");
    v.vertices.choose(1);
    EXPECT_EQ(v.normal_z.value.text, "1");
    EXPECT_EQ(v.note.text, "");
}

TEST(Tmap2PolyViewer, ShowsTheBoxNormalAndUnsignedIndices) {
    Blocks b(Bytes()
                 .raw(bsp::sortnorm2(40, 0))
                 .raw(bsp::tmap2poly({{5, 7, 0.5f, 1.0f}, {0xFFFFFFFFu, 70000, 0.25f, 0.75f}}, 3,
                                     {-1, -2, -3}, {1, 2, 3})));
    EXPECT_EQ(b.sobj().blocks.cells(1)[1], "TMAP2POLY");
    EXPECT_EQ(b.sobj().blocks.cells(1)[2], "84");
    auto& v = b.open<records::frmTMAP2POLY>(1, "frmTMAP2POLY");
    EXPECT_EQ(v.title, "frmTMAP2POLY");
    EXPECT_EQ(v.bsp_offset.value.text, "40");
    EXPECT_EQ(v.record_id.value.text, "6");
    EXPECT_EQ(v.normal_box.cell(2, 0).text, "1");
    EXPECT_EQ(v.normal_box.cell(0, 1).text, "-1");
    EXPECT_EQ(v.normal_box.cell(2, 2).text, "3");
    EXPECT_EQ(v.texture.value.text, "3");
    EXPECT_EQ(v.vertex_count.value.text, "2");
    EXPECT_EQ(testing_pof::rows_of(v.entries),
              (std::vector<view::Table::Cells>{{"0", "5", "7", "0.5", "1"},
                                               {"1", "4294967295", "70000", "0.25", "0.75"}}));
    EXPECT_EQ(v.note.text, "");
}

TEST(Tmap2PolyViewer, EntriesPastTheEndAndHostileCountsAreLeftOutAndNoted) {
    // Three entries announced, two stored.
    std::string cut = bsp::tmap2poly({{1, 1}, {2, 2}}).str();
    cut[48] = 3;
    Blocks b(Bytes().raw(cut));
    auto& v = b.open<records::frmTMAP2POLY>(0, "frmTMAP2POLY");
    EXPECT_EQ(v.vertex_count.value.text, "3");
    EXPECT_EQ(v.entries.row_count(), 2u);
    EXPECT_NE(v.note.text.find("byte 84"), std::string::npos) << v.note.text;

    // A block that ends in the middle of its normal.
    Bytes hostile = Bytes().i32(6).i32(52).vec(0, 0, 0).vec(1, 1, 1).f32(0);
    Blocks h(hostile);
    auto& w = h.open<records::frmTMAP2POLY>(0, "frmTMAP2POLY");
    EXPECT_EQ(w.normal_box.cell(0, 0).text, "0");
    EXPECT_EQ(w.normal_box.cell(1, 0).text, "");
    EXPECT_EQ(w.vertex_count.value.text, "");
    EXPECT_NE(w.note.text.find("Only 36 of the block's 52 bytes"), std::string::npos)
        << w.note.text;

    // A hostile count of 4294967295 over one stored entry.
    std::string huge = bsp::tmap2poly({{1, 1}}).str();
    for (int k = 48; k < 52; ++k) huge[k] = '\xFF';
    Blocks g(Bytes().raw(huge));
    auto& x = g.open<records::frmTMAP2POLY>(0, "frmTMAP2POLY");
    EXPECT_EQ(x.vertex_count.value.text, "4294967295");
    EXPECT_EQ(x.entries.row_count(), 1u);
    EXPECT_NE(x.note.text.find("Cut short"), std::string::npos) << x.note.text;
}

TEST(Sortnorm2Viewer, ShowsItsOffsetsAndBoxAndAShortBlockItsFirstValues) {
    Blocks b(Bytes().raw(bsp::sortnorm2(40, 92, {-1, -2, -3}, {4, 5, 6})).raw(bsp::block(8, 16)));
    EXPECT_EQ(b.sobj().blocks.cells(0)[1], "SORTNORM2");
    EXPECT_EQ(b.sobj().blocks.cells(1)[1], "UNKNOWN");
    auto& v = b.open<records::frmSORTNORM2>(0, "frmSORTNORM2");
    EXPECT_EQ(v.title, "frmSORTNORM2");
    EXPECT_EQ(v.record_size.value.text, "40");
    EXPECT_EQ(v.front.value.text, "40");
    EXPECT_EQ(v.back.value.text, "92");
    EXPECT_EQ(v.box.cell(1, 0).text, "-2");
    EXPECT_EQ(v.box.cell(2, 1).text, "6");

    Blocks s(Bytes().i32(7).i32(40).i32(40).i32(-8).f32(1));
    auto& w = s.open<records::frmSORTNORM2>(0, "frmSORTNORM2");
    EXPECT_EQ(w.back.value.text, "-8");
    EXPECT_EQ(w.box.cell(0, 0).text, "1");
    EXPECT_EQ(w.box.cell(1, 0).text, "");
    EXPECT_NE(w.note.text.find("Only 20 of the block's 40 bytes"), std::string::npos)
        << w.note.text;
}

}  // namespace
