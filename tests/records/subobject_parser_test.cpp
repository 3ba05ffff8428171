// The subobject chunk: both field orders, overwrites, numbers outside the header's table.

#include <gtest/gtest.h>

#include "every_chunk_model.h"
#include "pof_builder.h"
#include "session.h"
#include "subobject_model.h"

namespace {

using pof::ReadOutcome;
using testing_pof::Bytes;
using testing_pof::header_body;
using testing_pof::PofBuilder;
using testing_pof::Session;
using testing_pof::subobject_body;
using testing_pof::SubobjectFields;

std::string model(std::int32_t version, const char* id, const std::vector<SubobjectFields>& subs,
                  std::int32_t slots = 4) {
    PofBuilder b(version);
    b.chunk(version >= 2016 ? "HDR2" : "OHDR", header_body(version, {.subobjects = slots}));
    for (const auto& s : subs) b.chunk(id, subobject_body(version, s));
    return b.str();
}

TEST(SubobjectParser, TheVersionNotTheIdDecidesTheFieldOrder) {
    const SubobjectFields fields{.number = 2,
                                 .parent = 7,
                                 .radius = 2.5f,
                                 .offset = {1, -2, 3},
                                 .name = "gun",
                                 .properties = "$a\n$b",
                                 .bsp = Bytes().i32(0).i32(0)};
    for (const auto& [version, id] :
         {std::pair{2014, "SOBJ"}, {2115, "OBJ2"}, {2116, "SOBJ"}, {2117, "OBJ2"}}) {
        Session s;
        ASSERT_EQ(s.read(model(version, id, {fields})), ReadOutcome::Clean) << version;
        const auto& slot = s.store.subobjects.at(2);
        EXPECT_EQ(slot.number, 2);
        EXPECT_EQ(slot.parent, 7) << version;
        EXPECT_EQ(slot.radius, 2.5f) << version;
        EXPECT_EQ(slot.offset, (pof::Vec3{1, -2, 3})) << version;
        EXPECT_EQ(slot.name, "gun");
        EXPECT_EQ(slot.properties, "$a\n$b");
        EXPECT_EQ(slot.bsp_data, std::string(8, '\0'));
        EXPECT_EQ(slot.chunk_size, subobject_body(version, fields).size32());
    }
}

// From 2301 on the translation type and axis sit between the movement axis and the reserved
// field; the BSP data after them is found in every version.
TEST(SubobjectParser, TranslationFieldsFollowTheMovementAxisFrom2301On) {
    const SubobjectFields fields{.number = 1,
                                 .bsp = Bytes().i32(5).i32(8),
                                 .movement_type = 2,
                                 .movement_axis = 0,
                                 .translation_type = 4,
                                 .translation_axis = 3,
                                 .reserved = 9};
    for (const auto& [version, translation] : std::vector<std::pair<std::int32_t, bool>>{
             {2300, false}, {2301, true}, {2302, true}, {3099, true}, {3100, false}}) {
        SCOPED_TRACE(version);
        Session s;
        ASSERT_EQ(s.read(model(version, "OBJ2", {fields})), ReadOutcome::Clean);
        const auto& slot = s.store.subobjects.at(1);
        EXPECT_EQ(slot.movement_type, 2);
        EXPECT_EQ(slot.translation_type, translation ? 4 : 0);
        EXPECT_EQ(slot.translation_axis, translation ? 3 : 0);
        EXPECT_EQ(slot.reserved, 9);
        EXPECT_EQ(slot.bsp_data, Bytes().i32(5).i32(8).str());
    }
}

// A 2117 subobject in a 2301 file: the reader takes the reserved field and the BSP size for the
// translation fields, and the size it then reads runs past the end; the chunk is named.
TEST(SubobjectParser, ASubobjectShortOfTheTranslationFieldsIsDamage) {
    Session s;
    const auto bytes = PofBuilder(2301)
                           .chunk("HDR2", header_body(2301, {.subobjects = 1}))
                           .chunk("OBJ2", subobject_body(2117, {.number = 0, .bsp = Bytes()}))
                           .str();
    EXPECT_EQ(s.read(bytes), ReadOutcome::Damaged);
    ASSERT_EQ(s.desktop.messages.size(), 1u);
    EXPECT_NE(s.desktop.messages[0].find("the OBJ2 chunk at byte"), std::string::npos)
        << s.desktop.messages[0];
}

TEST(SubobjectParser, ALaterChunkOverwritesButEmptyTextsAndDataKeepTheEarlierOnes) {
    Session s;
    const auto bytes =
        model(2117, "OBJ2",
              {{.number = 1, .name = "first", .properties = "p", .bsp = Bytes().i32(9)},
               {.number = 1, .parent = 3, .name = "", .properties = ""}});
    ASSERT_EQ(s.read(bytes), ReadOutcome::Clean);
    const auto& slot = s.store.subobjects.at(1);
    EXPECT_EQ(slot.parent, 3);
    EXPECT_EQ(slot.name_length, 0);
    EXPECT_EQ(slot.name, "first");
    EXPECT_EQ(slot.properties, "p");
    EXPECT_EQ(slot.bsp_data_size, 0);
    EXPECT_EQ(slot.bsp_data.size(), 4u);  // kept, though the viewer copies none of it
    EXPECT_EQ(s.store.subobjects.filled_count(), 1u);
}

TEST(SubobjectParser, TheNextChunkIsReadWhereTheFieldsEndNotWhereTheSizeSays) {
    Session s;
    const Bytes body = subobject_body(2117, {.number = 0, .name = ""});  // 84 bytes
    ASSERT_EQ(body.size(), 84u);
    // Declares 100 bytes; the ACEN header follows right after the 84 that are read.
    const auto bytes = PofBuilder(2117)
                           .chunk("HDR2", header_body(2117))
                           .chunk("OBJ2", 100, body)
                           .chunk("ACEN", testing_pof::acen_body(1, 2, 3))
                           .str();
    EXPECT_EQ(s.read(bytes), ReadOutcome::Clean);
    EXPECT_EQ(s.rows().back(), (std::pair<std::string, std::string>{"ACEN", "12"}));
    EXPECT_EQ(s.store.subobjects.at(0).chunk_size, 100);
}

TEST(SubobjectParser, ChunksThatFitNoSlotAreReadThroughKeptAsRowsAndToldOnce) {
    Session s;
    const auto sub = [](std::int32_t n) { return subobject_body(2117, {.number = n}); };
    const auto bytes = PofBuilder(2117)
                           .chunk("OBJ2", sub(0))  // before any header
                           .chunk("HDR2", header_body(2117, {.subobjects = 2}))
                           .chunk("OBJ2", sub(2))
                           .chunk("OBJ2", sub(-1))
                           .chunk("OBJ2", sub(1))
                           .chunk("ACEN", testing_pof::acen_body(1, 2, 3))
                           .str();
    EXPECT_EQ(s.read(bytes), ReadOutcome::NotAllStored);
    EXPECT_EQ(s.rows().size(), 6u);
    EXPECT_EQ(s.store.subobjects.filled_count(), 1u);
    EXPECT_EQ(s.store.subobjects.at(1).number, 1);
    EXPECT_EQ(s.store.acen.auto_center, (pof::Vec3{1, 2, 3}));
    ASSERT_EQ(s.desktop.messages.size(), 1u);
    const std::string& m = s.desktop.messages[0];
    EXPECT_NE(m.find("the OBJ2 chunk at byte 8 holds subobject 0 but comes before any header"),
              std::string::npos)
        << m;
    EXPECT_NE(m.find("holds subobject 2, outside the header's table of 2 subobjects"),
              std::string::npos)
        << m;
    EXPECT_NE(m.find("holds subobject -1,"), std::string::npos) << m;
}

TEST(SubobjectParser, UnstoredChunksAndDamageShareOneMessage) {
    Session s;
    const auto bytes = PofBuilder(2117)
                           .chunk("HDR2", header_body(2117, {.subobjects = 1}))
                           .chunk("OBJ2", subobject_body(2117, {.number = 5}))
                           .chunk("TXTR", Bytes().i32(1).i32(50).raw("short"))
                           .str();
    EXPECT_EQ(s.read(bytes), ReadOutcome::Damaged);
    ASSERT_EQ(s.desktop.messages.size(), 1u);
    EXPECT_NE(s.desktop.messages[0].find("TXTR chunk"), std::string::npos);
    EXPECT_NE(s.desktop.messages[0].find("holds subobject 5"), std::string::npos);
}

}  // namespace
