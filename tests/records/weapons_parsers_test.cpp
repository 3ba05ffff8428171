#include <gtest/gtest.h>

#include "every_chunk_model.h"
#include "pof/chunk_kinds.h"
#include "pof/read_pof.h"
#include "pof_builder.h"
#include "records/weapons/weapon_records.h"
#include "session.h"

namespace {

using records::WeaponPoint;
using testing_pof::Bytes;
using V = pof::Vec3;

// Parses a body followed by four stray bytes and returns how many bytes the parser took.
template <class Record>
std::int64_t parse(void (*parser)(pof::PofFile&, std::int32_t, Record&), Record& record,
                   const Bytes& body) {
    const std::string bytes = Bytes().raw(body).i32(0x7A7A7A7A).str();
    auto f = pof::PofFile::from_bytes(bytes);
    parser(f, body.size32(), record);
    return f.offset();
}

// The gun and missile point parsers by the rules of the version before the angle offsets.
void gGPNT_2117(pof::PofFile& f, std::int32_t size, records::WeaponPointRecord& r) {
    records::gGPNT_data(f, size, 2117, r);
}
void gMPNT_2117(pof::PofFile& f, std::int32_t size, records::WeaponPointRecord& r) {
    records::gMPNT_data(f, size, 2117, r);
}

TEST(WeaponPointParser, BanksOfDifferentLengthsAnswerZerosPastTheirOwnPoints) {
    pof::ModelStore store;
    EXPECT_EQ(parse(gGPNT_2117, store.gpnt, testing_pof::weapon_points_body({3, 1})),
              4 + (4 + 72) + (4 + 24));
    const auto& r = store.gpnt;
    EXPECT_EQ(r.point_counts, (std::vector<std::int32_t>{3, 1}));
    EXPECT_EQ(r.points.width(), 3);
    EXPECT_EQ(r.points.at(0, 2), (WeaponPoint{{0, 2, 1.5f}, {0.5f, 1, -3}}));
    EXPECT_EQ(r.points.at(1, 0), (WeaponPoint{{1, 0, 1.5f}, {0.5f, 2, -1}}));
    EXPECT_EQ(r.points.at(1, 2), WeaponPoint{});
    EXPECT_EQ(store.mpnt.bank_count, 0) << "GPNT fills only its own record";
}

TEST(WeaponPointParser, CountsOfZeroOrLessReadOnlyTheCount) {
    pof::ModelStore store;
    // A bank of -1 points takes its four bytes; the next bank's count follows at once.
    const Bytes body = Bytes().i32(3).i32(-1).i32(0).i32(1).vec(1, 2, 3).vec(4, 5, 6);
    EXPECT_EQ(parse(gMPNT_2117, store.mpnt, body), body.size32());
    EXPECT_EQ(store.mpnt.point_counts, (std::vector<std::int32_t>{-1, 0, 1}));
    EXPECT_EQ(store.mpnt.points.at(2, 0), (WeaponPoint{{1, 2, 3}, {4, 5, 6}}));

    // No banks: the tables of the earlier chunk stay.
    EXPECT_EQ(parse(gMPNT_2117, store.mpnt, Bytes().i32(0)), 4);
    EXPECT_EQ(store.mpnt.bank_count, 0);
    EXPECT_EQ(store.mpnt.points.at(2, 0).normal, (V{4, 5, 6}));
}

// A 28-byte point in the versions with angle offsets, 24 bytes in the others; the chunk after
// it is found where each layout ends.
TEST(WeaponPointParser, AnglesOffsetsFollowTheNormalInTheVersionsThatHaveThem) {
    for (const auto& [version, angles] :
         std::vector<std::pair<std::int32_t, bool>>{{2117, false},
                                                    {2118, true},
                                                    {2150, true},
                                                    {2200, false},
                                                    {2201, true},
                                                    {2250, true},
                                                    {2301, true},
                                                    {3100, false}}) {
        SCOPED_TRACE(version);
        testing_pof::Session s;
        const auto file = testing_pof::PofBuilder(version)
                              .chunk("GPNT", testing_pof::weapon_points_body({2, 1}, false, angles))
                              .chunk("MPNT", testing_pof::weapon_points_body({3}, true, angles))
                              .chunk("ACEN", testing_pof::acen_body(7, 8, 9));
        ASSERT_EQ(s.read(file.str()), pof::ReadOutcome::Clean);
        EXPECT_EQ(s.store.gpnt.angle_offsets, angles);
        EXPECT_EQ(s.store.gpnt.points.at(0, 1).normal, (V{0.5f, 1, -2}));
        EXPECT_EQ(s.store.gpnt.points.at(0, 1).angle_offset, angles ? 1.5f : 0.0f);
        EXPECT_EQ(s.store.gpnt.points.at(1, 0).angle_offset, angles ? 10.5f : 0.0f);
        EXPECT_EQ(s.store.mpnt.points.at(0, 2).angle_offset, angles ? 2.5f : 0.0f);
        EXPECT_EQ(s.store.acen.auto_center, (V{7, 8, 9}));
    }
}

// Points of 24 bytes in a file whose version wants 28: the count that 24-byte points would
// satisfy is refused with the count's own words, the chunk named, the rows before it kept.
TEST(WeaponPointParser, PointsTooShortForTheVersionAreRefusedByTheirCount) {
    testing_pof::Session s;
    const auto file = testing_pof::PofBuilder(2201)
                          .chunk("ACEN", testing_pof::acen_body(7, 8, 9))
                          .chunk("GPNT", testing_pof::weapon_points_body({2}, false, false));
    EXPECT_EQ(s.read(file.str()), pof::ReadOutcome::Damaged);
    ASSERT_EQ(s.desktop.messages.size(), 1u);
    EXPECT_NE(s.desktop.messages[0].find("the GPNT chunk at byte 28 could not be read: the count "
                                         "2 at byte 40 needs more"),
              std::string::npos)
        << s.desktop.messages[0];
    EXPECT_EQ(s.store.acen.auto_center, (V{7, 8, 9}));

    // A hostile count: refused before anything is sized by it.
    testing_pof::Session hostile;
    EXPECT_EQ(hostile.read(testing_pof::PofBuilder(2118)
                               .chunk("MPNT", Bytes().i32(1).i32(2147483647).vec(1, 2, 3))
                               .str()),
              pof::ReadOutcome::Damaged);
    ASSERT_EQ(hostile.desktop.messages.size(), 1u);
    EXPECT_NE(hostile.desktop.messages[0].find("the count 2147483647 at byte 20 needs more"),
              std::string::npos)
        << hostile.desktop.messages[0];
}

TEST(TurretParser, TurretsWithTheirFiringPoints) {
    pof::ModelStore store;
    EXPECT_EQ(parse(records::gTGUN_data, store.tgun, testing_pof::turret_body({3, -2, 1})),
              4 + (24 + 36) + 24 + (24 + 12));
    const auto& r = store.tgun;
    ASSERT_EQ(r.turrets.size(), 3u);
    EXPECT_EQ(r.turrets[2].parent, 3);
    EXPECT_EQ(r.turrets[2].physical_parent, -1);
    EXPECT_EQ(r.turrets[2].normal, (V{2, 1, 0}));
    EXPECT_EQ(r.turrets[1].firing_point_count, -2);
    EXPECT_EQ(r.firing_points.at(0, 2), (V{0, 2, 2}));
    EXPECT_EQ(r.firing_points.at(2, 0), (V{2, 0, 2}));
    EXPECT_EQ(r.firing_points.at(2, 1), V{});

    EXPECT_EQ(parse(records::gTMIS_data, store.tmis, Bytes().i32(-1)), 4);
    EXPECT_EQ(store.tmis.bank_count, -1);
    EXPECT_EQ(store.tgun.turrets.size(), 3u) << "TMIS fills only its own record";
}

TEST(SpecialPointParser, TextsKeepEveryByteAndANegativeLengthReadsNothing) {
    pof::ModelStore store;
    EXPECT_EQ(
        parse(records::gSPCL_data, store.spcl, testing_pof::special_points_body({{"$gun01", ""}})),
        34);
    const std::string props(" $a = 1 \r\n$b\0 ", 14);
    Bytes body = Bytes().i32(2).text("one").text(props).vec(1, 2, 3).f32(4);
    body.i32(-4).text("x").vec(5, 6, 7).f32(8);
    EXPECT_EQ(parse(records::gSPCL_data, store.spcl, body), body.size32());
    const auto& p = store.spcl.points;
    EXPECT_EQ(p[0].properties.text, props);
    EXPECT_EQ(p[0].point, (V{1, 2, 3}));
    EXPECT_EQ(p[1].name.length, -4);
    EXPECT_EQ(p[1].name.text, "");
    EXPECT_EQ(p[1].properties.text, "x");
    EXPECT_EQ(p[1].radius, 8.0f);
}

TEST(EyeAndShieldParsers, FixedSizeEntries) {
    pof::ModelStore store;
    EXPECT_EQ(parse(records::gEYE_data, store.eye, testing_pof::eye_body(2)), 60);
    EXPECT_EQ(store.eye.points[1].subobject, 1);
    EXPECT_EQ(store.eye.points[1].offset, (V{1, 1, 2}));
    EXPECT_EQ(store.eye.points[1].normal, (V{0, 0, -1}));

    EXPECT_EQ(parse(records::gSHLD_data, store.shld, testing_pof::shield_body(4, 4)), 200);
    EXPECT_EQ(store.shld.vertices[3], (V{3, -3, 0.5f}));
    EXPECT_EQ(store.shld.faces[2].normal, (V{2, 0, 1}));
    EXPECT_EQ(store.shld.faces[2].vertices, (std::array<std::int32_t, 3>{2, 3, 4}));
    EXPECT_EQ(store.shld.faces[2].neighbours, (std::array<std::int32_t, 3>{3, 4, 5}));
}

TEST(ShieldParser, TheFaceCountIsReadWhateverTheVertexCount) {
    pof::ModelStore store;
    parse(records::gSHLD_data, store.shld, testing_pof::shield_body(2, 1));
    EXPECT_EQ(parse(records::gSHLD_data, store.shld, testing_pof::shield_body(-3, 5)), 8 + 5 * 36);
    EXPECT_EQ(store.shld.vertex_count, -3);
    EXPECT_EQ(store.shld.vertices.size(), 2u) << "kept from the earlier chunk";
    EXPECT_EQ(store.shld.faces[4].neighbours[2], 7);
}

// Registered by chunk ID, "EYE " with its blank, and the next chunk is found where each ends.
TEST(WeaponChunks, EachIsReadByItsParserAndTheNextChunkFollows) {
    testing_pof::Session s;
    testing_pof::PofBuilder file(2117);
    file.chunk("GPNT", testing_pof::weapon_points_body({2, 0}))
        .chunk("TMIS", testing_pof::turret_body({0, 3}))
        .chunk("SPCL", testing_pof::special_points_body({{"a", "b"}}))
        .chunk("EYE ", testing_pof::eye_body(1))
        .chunk("SHLD", testing_pof::shield_body(0, 2))
        .chunk("ACEN", testing_pof::acen_body(7, 8, 9));
    ASSERT_EQ(s.read(file.str()), pof::ReadOutcome::Clean);
    EXPECT_EQ(s.store.acen.auto_center, (V{7, 8, 9}));
    for (const char* entry : {"IDM_GPNT", "IDM_TMIS", "IDM_SPCL", "IDM_EYE", "IDM_SHLD"}) {
        EXPECT_TRUE(s.entry_enabled(entry)) << entry;
    }
    EXPECT_FALSE(s.entry_enabled("IDM_MPNT"));
}

}  // namespace
