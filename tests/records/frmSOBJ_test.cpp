// The subobject viewer: which subobject it opens on, its enabled states, and the block
// viewers it opens from its block list and closes on another subobject.

#include <gtest/gtest.h>

#include <algorithm>

#include "every_chunk_model.h"
#include "pof_builder.h"
#include "records/subobjects/frmSOBJ.h"
#include "session.h"
#include "subobject_model.h"

namespace {

using records::frmSOBJ;
using testing_pof::Bytes;
using testing_pof::header_body;
using testing_pof::PofBuilder;
using testing_pof::Session;
using testing_pof::subobject_body;
namespace bsp = testing_pof::bsp;

// Three subobjects at version 2014; subobject n has n + 1 blocks before its EOF.
std::string three_subobjects(std::int32_t header_count = 3) {
    PofBuilder b(2014);
    b.chunk("OHDR", header_body(2014, {.subobjects = header_count}));
    for (std::int32_t n = 0; n < 3; ++n) {
        Bytes data;
        for (std::int32_t k = 0; k <= n; ++k) data.raw(bsp::boundbox({0, 0, 0}, {1, 1, 1}));
        data.raw(bsp::eof());
        b.chunk("SOBJ",
                subobject_body(2014, {.number = n, .name = "s" + std::to_string(n), .bsp = data}));
    }
    return b.str();
}

frmSOBJ& open_from_menu(Session& s) {
    s.form.menu_command("IDM_SOBJ");
    return dynamic_cast<frmSOBJ&>(*s.viewer("frmSOBJ"));
}

TEST(SubobjectViewer, OpensOnTheCurrentSubobjectOrTheFirstWhenItHasNoRow) {
    Session s;
    s.read(three_subobjects());
    frmSOBJ& v = open_from_menu(s);  // the number is 3 right after the read: no such row
    EXPECT_EQ(v.title, "SOBJ record");
    EXPECT_EQ(v.subobjects.rows,
              (std::vector<std::string>{"subObject 0", "subObject 1", "subObject 2"}));
    EXPECT_EQ(v.subobjects.selected, 0);
    EXPECT_EQ(v.data.caption, "subObject 0 data");

    s.form.record_list().double_click(3);  // "SOBJ   2"
    EXPECT_EQ(v.subobjects.selected, 2);
    EXPECT_EQ(v.data.caption, "subObject 2 data");
    EXPECT_EQ(v.submodel_name.value.text, "s2");
    EXPECT_EQ(v.blocks.row_count(), 4u);
    EXPECT_EQ(v.blocks.cells(3), (std::vector<std::string>{"96", "EOF", "0"}));
    EXPECT_EQ(s.store.browsing.buffer.size(), 104u);
}

// The translation fields stand in the window only for the versions whose subobjects have them.
TEST(SubobjectViewer, ShowsTheTranslationFieldsFrom2301On) {
    for (const std::int32_t version : {2300, 2301}) {
        SCOPED_TRACE(version);
        Session s;
        s.read(PofBuilder(version)
                   .chunk("HDR2", header_body(version, {.subobjects = 1}))
                   .chunk("OBJ2",
                          subobject_body(version, {.translation_type = 4, .translation_axis = -1}))
                   .str());
        frmSOBJ& v = open_from_menu(s);
        const auto controls = view::controls_of(v.layout());
        const bool shown =
            std::find(controls.begin(), controls.end(), &v.translation_type) != controls.end();
        EXPECT_EQ(shown, version >= 2301);
        EXPECT_EQ(
            std::find(controls.begin(), controls.end(), &v.translation_axis) != controls.end(),
            shown);
        EXPECT_EQ(v.movement_axis.value.text, "2");
        if (shown) {
            EXPECT_EQ(v.translation_type.value.text, "4");
            EXPECT_EQ(v.translation_axis.value.text, "-1");
        }
    }
}

TEST(SubobjectViewer, ShowingItAgainOnTheSameRowDoesNotWalkAgain) {
    Session s;
    s.read(testing_pof::every_chunk_model(2117));
    frmSOBJ& v = open_from_menu(s);
    EXPECT_EQ(v.title, "OBJ2 record data");
    v.blocks.double_click(2);  // FLATPOLY
    ASSERT_NE(s.viewer("frmFLATPOLY"), nullptr);
    const int busy = s.desktop.busy_shown;
    s.form.record_list().double_click(1);  // "OBJ2   0": the row already shown
    EXPECT_EQ(s.desktop.busy_shown, busy);
    EXPECT_NE(s.viewer("frmFLATPOLY"), nullptr);
    s.form.record_list().double_click(2);  // "OBJ2   1": another subobject
    EXPECT_EQ(v.subobjects.selected, 1);
    EXPECT_EQ(s.viewer("frmFLATPOLY"), nullptr) << "its block belonged to subobject 0";
}

TEST(SubobjectViewer, FewSubobjectsDisableTheListAndNoneBlankTheValues) {
    Session one;
    one.read(three_subobjects(1));  // two chunks lie outside the table
    frmSOBJ& v1 = open_from_menu(one);
    EXPECT_FALSE(v1.subobjects.enabled);
    EXPECT_EQ(v1.subobjects.selected, 0);
    EXPECT_EQ(v1.radius.value.text, "5");

    Session none;
    none.read(three_subobjects(0));
    frmSOBJ& v0 = open_from_menu(none);
    EXPECT_FALSE(v0.subobjects.enabled);
    EXPECT_TRUE(v0.subobjects.rows.empty());
    EXPECT_EQ(v0.subobject_count.value.text, "0");
    EXPECT_EQ(v0.data.caption, "");
    EXPECT_EQ(v0.submodel_name.value.text, "");
    EXPECT_EQ(v0.bounds.cell(2, 2).text, "");
    EXPECT_EQ(v0.blocks.row_count(), 0u);
}

TEST(SubobjectViewer, AnEmptySlotShowsItsValuesAndNoBlocks) {
    Session s;
    s.read(PofBuilder(2117)
               .chunk("HDR2", header_body(2117, {.subobjects = 2}))
               .chunk("OBJ2", subobject_body(2117, {.number = 1}))
               .str());
    frmSOBJ& v = open_from_menu(s);
    v.subobjects.choose(0);
    EXPECT_EQ(v.submodel_name.value.text, "");
    EXPECT_EQ(v.bsp_size.value.text, "0");
    EXPECT_EQ(v.record_size.value.text, "0");
    EXPECT_EQ(v.blocks.row_count(), 0u);
    EXPECT_TRUE(s.store.browsing.buffer.empty());
}

TEST(SubobjectViewer, BlockRowsSetTheCurrentBlockAndOpenOnlyKnownTypes) {
    Session s;
    s.read(testing_pof::every_chunk_model(2117));
    frmSOBJ& v = open_from_menu(s);
    v.blocks.double_click(5);  // EOF
    EXPECT_EQ(s.store.browsing.block.type, "EOF");
    EXPECT_EQ(s.store.browsing.block.offset, 332);
    EXPECT_EQ(s.windows.open.size(), 1u);
    v.blocks.double_click(0);
    EXPECT_EQ(s.store.browsing.block.type, "DEFPOINTS");
    EXPECT_EQ(s.store.browsing.block.size, 84);
    EXPECT_NE(s.viewer("frmDEFPOINTS"), nullptr);
    EXPECT_EQ(s.windows.log.back(), "normal frmDEFPOINTS");
    v.blocks.double_click(-1);  // no row
    EXPECT_EQ(s.store.browsing.block.type, "DEFPOINTS");
}

TEST(SubobjectViewer, AHugeAnnouncedCountListsTheFirstSlotsAndEveryFilledOne) {
    Session s;
    s.read(PofBuilder(2117)
               .chunk("HDR2", header_body(2117, {.subobjects = 2000000000}))
               .chunk("OBJ2", subobject_body(2117, {.number = 1999999999, .name = "far"}))
               .str());
    s.form.record_list().double_click(1);  // sets the current number to 0
    frmSOBJ& v = dynamic_cast<frmSOBJ&>(*s.viewer("frmSOBJ"));
    ASSERT_EQ(v.subobjects.rows.size(), std::size_t{frmSOBJ::kListedSlots} + 1);
    EXPECT_EQ(v.subobjects.rows.back(), "subObject 1999999999");
    v.subobjects.choose(frmSOBJ::kListedSlots);
    EXPECT_EQ(v.submodel_name.value.text, "far");
    EXPECT_EQ(v.data.caption, "subObject 1999999999 data");
}

}  // namespace
