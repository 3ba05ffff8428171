#include <gtest/gtest.h>

#include "every_chunk_model.h"
#include "pof/chunk_kinds.h"
#include "pof_builder.h"
#include "records/docking/docking_records.h"
#include "records/docking/frmGLOW.h"
#include "session.h"

namespace {

using testing_pof::Bytes;
using testing_pof::PofBuilder;

// Parses body as one chunk and returns how many bytes the parser took.
template <class Record>
std::int64_t parse(void (*parser)(pof::PofFile&, std::int32_t, Record&), Record& record,
                   const Bytes& body) {
    auto f = pof::PofFile::from_bytes(body.str());
    parser(f, body.size32(), record);
    return f.offset();
}

// Each body is followed by an ACEN chunk, which must be read from where the parser stopped.
TEST(DockingParsers, ReadExactlyTheirBodiesSoTheNextChunkFollows) {
    for (const std::int32_t version : {2116, 2117}) {
        testing_pof::Session s;
        PofBuilder file(version);
        for (const auto& [id, body] :
             std::vector<std::pair<const char*, Bytes>>{{"DOCK", testing_pof::dock_body()},
                                                        {"PATH", testing_pof::path_body()},
                                                        {"FUEL", testing_pof::fuel_body(version)},
                                                        {"INSG", testing_pof::insg_body()},
                                                        {"GLOW", testing_pof::glow_body()}}) {
            file.chunk(id, body).chunk("ACEN", testing_pof::acen_body(1, 2, 3));
        }
        EXPECT_EQ(s.read(file.str()), pof::ReadOutcome::Clean) << version;
        EXPECT_EQ(s.rows().size(), 10u);
        EXPECT_EQ(s.store.acen.auto_center, (pof::Vec3{1, 2, 3}));
    }
}

TEST(DockParser, EachDockKeepsItsOwnSlotsAndReadsZeroPastThem) {
    pof::ModelStore store;
    EXPECT_EQ(parse(records::gDOCK_data, store.dock, testing_pof::dock_body()), 111);
    const auto& r = store.dock;
    EXPECT_EQ(r.spline_paths.width(), 2);
    EXPECT_EQ(r.spline_paths.at(1, 0), 0);
    EXPECT_EQ(r.points.width(), 2);
    EXPECT_EQ(r.points.at(1, 1).normal, pof::Vec3{});
}

TEST(DockParser, NegativeCountsAndLengthsReadOnlyThemselves) {
    pof::ModelStore store;
    const Bytes body = Bytes().i32(1).i32(-3).i32(-2).i32(1).vec(1, 2, 3).vec(4, 5, 6);
    EXPECT_EQ(parse(records::gDOCK_data, store.dock, body), body.size32());
    EXPECT_EQ(store.dock.properties[0].length, -3);
    EXPECT_EQ(store.dock.properties[0].text, "");
    EXPECT_EQ(store.dock.points.at(0, 0).normal, (pof::Vec3{4, 5, 6}));
    // A count of zero reads four bytes and leaves the earlier chunk's tables.
    EXPECT_EQ(parse(records::gDOCK_data, store.dock, Bytes().i32(0).i32(99)), 4);
    EXPECT_EQ(store.dock.point_counts.size(), 1u);
}

TEST(PathParser, ANegativeTurretCountIsFollowedByTheNextVertex) {
    pof::ModelStore store;
    Bytes body = Bytes().i32(1).text("a").i32(-1).i32(2).vec(1, 1, 1).f32(2).i32(-1);
    body.vec(3, 3, 3).f32(4).i32(1).i32(9);
    EXPECT_EQ(parse(records::gPATH_data, store.path, body), body.size32());
    EXPECT_EQ(store.path.vertices.at(0, 1).radius, 4);
    EXPECT_EQ(store.path.turret(0, 1, 0), 9);
}

// Detail level, face count, vertex count, the vertices, the offset, then the faces.
TEST(InsigniaParser, FacesFollowTheOffsetWhichIsReadEvenWithoutVertices) {
    pof::ModelStore store;
    Bytes body = Bytes().i32(1).i32(7).i32(1).i32(0).vec(1, 2, 3);
    body.i32(4).f32(0.5f).f32(0.25f).i32(5).f32(0).f32(0).i32(6).f32(1).f32(1);
    EXPECT_EQ(parse(records::gINSG_data, store.insg, body), 4 + 24 + 36);
    EXPECT_EQ(store.insg.offsets[0], (pof::Vec3{1, 2, 3}));
    EXPECT_EQ(store.insg.faces.at(0, 0)[0].v, 0.25f);
    EXPECT_EQ(store.insg.faces.at(0, 0)[2].vertex, 6);
}

TEST(InsigniaParser, ANarrowerInsigniaLeavesAWiderOnesVerticesAndFaces) {
    pof::ModelStore store;
    Bytes body = Bytes().i32(2).i32(0).i32(4).i32(6);
    for (int k = 0; k < 7; ++k) body.vec(k, 0, 0);  // six vertices and the offset
    for (int c = 0; c < 4 * 3; ++c) body.i32(c).f32(0).f32(0);
    body.i32(1).i32(1).i32(1).vec(9, 9, 9).vec(0, 0, 0).raw(Bytes().i32(1).f32(0).f32(0));
    body.raw(Bytes().i32(2).f32(0).f32(0).i32(3).f32(0).f32(0));
    EXPECT_EQ(parse(records::gINSG_data, store.insg, body), body.size32());
    EXPECT_EQ(store.insg.vertices.at(0, 5).x, 5);
    EXPECT_EQ(store.insg.faces.at(0, 3)[2].vertex, 11);
    EXPECT_EQ(store.insg.vertices.at(1, 3), pof::Vec3{});
}

// Bank fields, then the properties text, then the points: a field read out of place shows here.
TEST(GlowParser, TwoBanksKeepTheirFieldsAndTheirOwnPoints) {
    pof::ModelStore store;
    const Bytes body = testing_pof::glow_body();
    EXPECT_EQ(parse(records::gGLOW_data, store.glow, body), body.size32());
    const auto& r = store.glow;
    ASSERT_EQ(r.banks.size(), 2u);
    const records::GlowBank& bank = r.banks[1];
    EXPECT_EQ((std::vector{bank.display_time, bank.on_time, bank.off_time, bank.parent, bank.lod,
                           bank.type, bank.point_count}),
              (std::vector{11, 21, 31, 1, 0, 2, 1}));
    EXPECT_EQ(r.banks[0].properties.text, "$glow_texture=glow0");
    EXPECT_EQ(r.points.at(0, 1).normal, (pof::Vec3{0, 1, 0}));
    EXPECT_EQ(r.points.at(1, 0).radius, 0.75f);
    EXPECT_EQ(r.points.at(1, 1).position, pof::Vec3{});  // past bank 1's one point
}

// The file ends inside the second point of bank 0: the read stops at the GLOW chunk, the rows
// and what the parser read before the cut stay, and its Window-menu entry stays off.
TEST(GlowParser, ACutPointStopsTheReadAtTheGlowChunk) {
    testing_pof::Session s;
    const std::string whole = PofBuilder(2117)
                                  .chunk("ACEN", testing_pof::acen_body(1, 2, 3))
                                  .chunk("GLOW", testing_pof::glow_body())
                                  .str();
    // Magic and version, the ACEN chunk, the GLOW header, the bank count, bank 0's fields and
    // properties, its point 0.
    const std::size_t second_point = 8 + 20 + 8 + 4 + 28 + 23 + 28;
    EXPECT_EQ(s.read(whole.substr(0, second_point + 10)), pof::ReadOutcome::Damaged);
    ASSERT_EQ(s.desktop.messages.size(), 1u);
    EXPECT_NE(s.desktop.messages[0].find("the GLOW chunk at byte 28 could not be read"),
              std::string::npos)
        << s.desktop.messages[0];
    EXPECT_EQ(s.rows().size(), 2u);
    EXPECT_EQ(s.store.glow.points.at(0, 0).radius, 0.25f);
    EXPECT_EQ(s.store.glow.points.at(0, 1).position, pof::Vec3{});
    EXPECT_TRUE(s.entry_enabled("IDM_ACEN"));
    EXPECT_FALSE(s.entry_enabled("IDM_GLOW"));
}

// A bank count, then a point count, that the bytes left cannot hold: refused with the count's
// own words before any table is sized by it.
TEST(GlowParser, AHostileCountIsRefusedBeforeAnythingIsSized) {
    constexpr std::int32_t kMax = 2147483647;
    const Bytes bank_head = Bytes().i32(1).i32(0).i32(0).i32(0).i32(0).i32(0).i32(0);
    for (const auto& [body, at] : std::vector<std::pair<Bytes, std::string>>{
             {Bytes().i32(kMax).i32(0), "16"}, {Bytes(bank_head).i32(kMax).i32(0), "44"}}) {
        testing_pof::Session s;
        EXPECT_EQ(s.read(PofBuilder(2117).chunk("GLOW", body).str()), pof::ReadOutcome::Damaged);
        ASSERT_EQ(s.desktop.messages.size(), 1u);
        EXPECT_NE(s.desktop.messages[0].find("the GLOW chunk at byte 8 could not be read: the "
                                             "count 2147483647 at byte " +
                                             at + " needs more"),
                  std::string::npos)
            << s.desktop.messages[0];
    }
}

// A second GLOW chunk overwrites the record of the first; one of no banks leaves its tables
// as the store's rule says, and the window lists no bank.
TEST(GlowParser, ASecondGlowChunkReplacesTheFirst) {
    testing_pof::Session s;
    Bytes second = Bytes().i32(1).i32(5).i32(6).i32(7).i32(-1).i32(0).i32(0).i32(1).text("");
    second.vec(9, 9, 9).vec(0, 0, 1).f32(2);
    EXPECT_EQ(
        s.read(
            PofBuilder(2117).chunk("GLOW", testing_pof::glow_body()).chunk("GLOW", second).str()),
        pof::ReadOutcome::Clean);
    EXPECT_EQ(s.store.glow.banks.size(), 1u);
    EXPECT_EQ(s.store.glow.banks[0].parent, -1);
    EXPECT_EQ(s.store.glow.points.at(0, 0).position, (pof::Vec3{9, 9, 9}));
    EXPECT_EQ(s.store.glow.points.at(0, 1).position, pof::Vec3{});

    s.read(PofBuilder(2117)
               .chunk("GLOW", testing_pof::glow_body())
               .chunk("GLOW", Bytes().i32(0))
               .str());
    EXPECT_EQ(s.store.glow.banks.size(), 2u);
    s.form.menu_command("IDM_GLOW");
    EXPECT_TRUE(dynamic_cast<records::frmGLOW&>(*s.viewer("frmGLOW")).banks.rows.empty());
}

}  // namespace
