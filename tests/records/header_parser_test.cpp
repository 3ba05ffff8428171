#include <gtest/gtest.h>

#include "every_chunk_model.h"
#include "pof/global_data.h"
#include "pof_builder.h"
#include "records/header/header_records.h"

namespace {

using testing_pof::Bytes;

// Runs the header parser over a body, in a file of the given version.
void parse_header(pof::ModelStore& store, std::int32_t version, const Bytes& body) {
    store.file_version = version;
    auto f = pof::PofFile::from_bytes(body.str());
    records::gOHDR_data(f, body.size32(), store, store.ohdr, store.subobjects);
    EXPECT_TRUE(f.eof()) << "the parser must read exactly its fields";
}

Bytes common_tail(std::int32_t details, std::int32_t debris) {
    Bytes b;
    b.vec(-1, -2, -3).vec(4, 5, 6).i32(details);
    for (int i = 0; i < details; ++i) b.i32(10 + i);
    b.i32(debris);
    for (int i = 0; i < debris; ++i) b.i32(20 + i);
    return b;
}

// Bounding box, no detail levels or debris, zero mass properties, no cross sections or lights.
Bytes empty_tail_2014() {
    return Bytes()
        .raw(common_tail(0, 0))
        .f32(0)
        .vec(0, 0, 0)
        .raw(std::string(36, '\0'))
        .i32(0)
        .i32(0);
}

TEST(HeaderParser, OldFieldOrderBelow2016EvenForHDR2) {
    pof::ModelStore store;
    parse_header(store, 2015, Bytes().i32(4).f32(12.5f).i32(-7).raw(empty_tail_2014()));
    EXPECT_EQ(store.ohdr.subobject_count, 4);
    EXPECT_EQ(store.ohdr.max_radius, 12.5f);
    EXPECT_EQ(store.ohdr.object_flags, -7);
    EXPECT_EQ(store.ohdr.bbox_min, (pof::Vec3{-1, -2, -3}));
    EXPECT_EQ(store.ohdr.bbox_max, (pof::Vec3{4, 5, 6}));
}

TEST(HeaderParser, NewFieldOrderFrom2016) {
    pof::ModelStore store;
    parse_header(store, 2016, Bytes().f32(12.5f).i32(-7).i32(4).raw(empty_tail_2014()));
    EXPECT_EQ(store.ohdr.subobject_count, 4);
    EXPECT_EQ(store.ohdr.max_radius, 12.5f);
    EXPECT_EQ(store.ohdr.object_flags, -7);
}

TEST(HeaderParser, Version2117ReadsMassCrossSectionsThenLights) {
    pof::ModelStore store;
    Bytes b;
    b.f32(1).i32(0).i32(2).raw(common_tail(2, 1)).f32(900.0f).vec(7, 8, 9);
    for (int k = 1; k <= 9; ++k) b.f32(static_cast<float>(k));
    b.i32(1).f32(3.5f).f32(4.5f);
    b.i32(2).vec(1, 1, 1).i32(5).vec(2, 2, 2).i32(6);
    parse_header(store, 2117, b);
    const auto& h = store.ohdr;
    EXPECT_EQ(h.detail_levels, (std::vector<std::int32_t>{10, 11}));
    EXPECT_EQ(h.debris_pieces, (std::vector<std::int32_t>{20}));
    EXPECT_EQ(h.mass, 900.0f);
    EXPECT_EQ(h.center_of_mass, (pof::Vec3{7, 8, 9}));
    // Floats 1 to 9 fill the matrix row by row.
    EXPECT_EQ(h.inertia[0][0], 1);
    EXPECT_EQ(h.inertia[0][2], 3);
    EXPECT_EQ(h.inertia[1][0], 4);
    EXPECT_EQ(h.inertia[2][1], 8);
    EXPECT_EQ(h.inertia[2][2], 9);
    EXPECT_EQ(h.cross_section_count, 1);
    EXPECT_EQ(h.cross_section_depths[0], 3.5f);
    EXPECT_EQ(h.cross_section_radii[0], 4.5f);
    EXPECT_EQ(h.light_count, 2);
    EXPECT_EQ(h.light_locations[1], (pof::Vec3{2, 2, 2}));
    EXPECT_EQ(h.light_types, (std::vector<std::int32_t>{5, 6}));
}

TEST(HeaderParser, VersionGatesSwitchExactlyAtTheirThresholds) {
    struct Gate {
        std::int32_t version;
        std::size_t body_bytes;  // with all counts 0
    };
    // 44 bytes base, +52 mass properties from 1903, +4 lights from 2007, +4 cross sections from
    // 2014.
    for (const Gate g : {Gate{1800, 44}, Gate{1902, 44}, Gate{1903, 96}, Gate{2006, 96},
                         Gate{2007, 100}, Gate{2013, 100}, Gate{2014, 104}, Gate{2117, 104}}) {
        const auto body = testing_pof::header_body(
            g.version, {.detail_levels = 0, .debris = 0, .cross_sections = 0, .lights = 0});
        EXPECT_EQ(body.size(), g.body_bytes) << g.version;
        pof::ModelStore store;
        parse_header(store, g.version, body);
    }
}

TEST(HeaderParser, OlderVersionsLeaveLaterFieldsAsTheyWere) {
    pof::ModelStore store;
    parse_header(store, 2117, testing_pof::header_body(2117));
    const auto before = store.ohdr;
    parse_header(store, 1800, testing_pof::header_body(1800, {.subobjects = 9}));
    EXPECT_EQ(store.ohdr.subobject_count, 9);
    EXPECT_EQ(store.ohdr.mass, before.mass);
    EXPECT_EQ(store.ohdr.inertia, before.inertia);
    EXPECT_EQ(store.ohdr.cross_section_count, before.cross_section_count);
    EXPECT_EQ(store.ohdr.light_locations, before.light_locations);
}

TEST(HeaderParser, NonPositiveCountsReadNothingAndKeepTheirTables) {
    pof::ModelStore store;
    parse_header(store, 2117, testing_pof::header_body(2117));
    ASSERT_EQ(store.ohdr.cross_section_depths.size(), 3u);
    // Detail level count -3: the debris count follows at once.
    Bytes b;
    b.f32(1).i32(0).i32(1).vec(0, 0, 0).vec(0, 0, 0).i32(-3).i32(1).i32(77);
    b.f32(0).vec(0, 0, 0).raw(std::string(36, '\0')).i32(0).i32(-2147483647 - 1);
    parse_header(store, 2117, b);
    EXPECT_EQ(store.ohdr.detail_level_count, -3);
    EXPECT_EQ(store.ohdr.debris_pieces, (std::vector<std::int32_t>{77}));
    EXPECT_EQ(store.ohdr.cross_section_count, 0);
    EXPECT_EQ(store.ohdr.cross_section_depths.size(), 3u);
    EXPECT_EQ(store.ohdr.light_count, -2147483647 - 1);
    EXPECT_EQ(store.ohdr.light_types.size(), 1u);
}

TEST(HeaderParser, CreatesAnEmptySubobjectTableOfTheHeadersCount) {
    pof::ModelStore store;
    store.subobjects.create(2);
    store.subobjects.fill(1).name = "old";
    parse_header(store, 2117, testing_pof::header_body(2117, {.subobjects = 5}));
    EXPECT_EQ(store.subobjects.slot_count(), 5);
    EXPECT_EQ(store.subobjects.filled_count(), 0u);
    EXPECT_EQ(store.subobjects.at(1).name, "");

    parse_header(store, 2117, testing_pof::header_body(2117, {.subobjects = -4}));
    EXPECT_EQ(store.subobjects.slot_count(), 0);
    EXPECT_FALSE(store.subobjects.has_slot(0));
}

TEST(HeaderParser, ACountTheFileCannotHoldIsRefusedBeforeTheTableChanges) {
    pof::ModelStore store;
    parse_header(store, 2117, testing_pof::header_body(2117));
    Bytes b;
    b.f32(1).i32(0).i32(1).vec(0, 0, 0).vec(0, 0, 0).i32(2147483647).i32(0);
    store.file_version = 2117;
    auto f = pof::PofFile::from_bytes(b.str());
    EXPECT_THROW(records::gOHDR_data(f, b.size32(), store, store.ohdr, store.subobjects),
                 pof::ReadError);
    EXPECT_EQ(store.ohdr.detail_level_count, 1) << "the refused count is not stored";
    EXPECT_EQ(store.ohdr.detail_levels.size(), 1u);
}

}  // namespace
