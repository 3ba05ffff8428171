#include <gtest/gtest.h>

#include "every_chunk_model.h"
#include "pof_builder.h"
#include "records/weapons/frmEYE.h"
#include "records/weapons/frmGPNT.h"
#include "records/weapons/frmSHLD.h"
#include "records/weapons/frmSPCL.h"
#include "records/weapons/frmTGUN.h"
#include "session.h"

namespace {

using testing_pof::Bytes;
using testing_pof::Session;
using Rows = std::vector<std::string>;
const Rows kBlank{"", "", ""};

// Reads a file of one chunk and opens its viewer from the Window menu.
template <class V>
V& open(Session& s, const char* id, const Bytes& body, std::int32_t version = 2117) {
    s.read(testing_pof::PofBuilder(version).chunk(id, body).str());
    const std::string chunk(id, 4);
    const std::string entry = "IDM_" + chunk.substr(0, chunk.find(' '));
    s.form.menu_command(entry);
    for (const auto& w : s.windows.open) {
        if (auto* v = dynamic_cast<V*>(w.viewer.get())) return *v;
    }
    throw std::runtime_error(entry + " opened no viewer");
}

Rows column_of(const view::Grid& g, std::size_t column) {
    return {g.cell(0, column).text, g.cell(1, column).text, g.cell(2, column).text};
}

bool headers_enabled(const view::Grid& g) {
    for (const auto* list : {&g.columns, &g.rows}) {
        for (const auto& c : *list)
            if (!c->enabled) return false;
    }
    return true;
}

TEST(WeaponPointViewer, BanksAndPointsFollowTheSelection) {
    Session s;
    auto& v = open<records::frmGPNT>(s, "GPNT", testing_pof::weapon_points_body({3, 1}));
    EXPECT_EQ(v.title, "GPNT record");
    EXPECT_EQ(v.banks.rows, (Rows{"Slot 0", "Slot 1"}));
    EXPECT_TRUE(v.banks.enabled);
    EXPECT_EQ(v.bank.caption, "Slot 0 data");
    EXPECT_EQ(v.point_count.caption.text, "# guns");
    EXPECT_EQ(v.points.rows, (Rows{"Gun 0", "Gun 1", "Gun 2"}));
    EXPECT_EQ(v.points.selected, 0);
    EXPECT_TRUE(v.points.enabled);
    v.points.choose(2);
    EXPECT_EQ(column_of(v.coordinates, 0), (Rows{"0", "2", "1.5"}));
    EXPECT_EQ(column_of(v.coordinates, 1), (Rows{"0.5", "1", "-3"}));

    v.banks.choose(1);
    EXPECT_EQ(v.bank.caption, "Slot 1 data");
    EXPECT_EQ(v.point_count.value.text, "1");
    EXPECT_EQ(v.points.rows, (Rows{"Gun 0"}));
    EXPECT_FALSE(v.points.enabled);
    EXPECT_EQ(column_of(v.coordinates, 0), (Rows{"1", "0", "1.5"}));
    v.banks.choose(0);
    EXPECT_TRUE(v.points.enabled);
}

TEST(WeaponPointViewer, TheAngleOffsetIsShownWhereTheVersionHasIt) {
    Session s;
    auto& v = open<records::frmGPNT>(s, "MPNT",
                                     testing_pof::weapon_points_body({2, 1}, false, true), 2201);
    EXPECT_TRUE(v.angle_offset.enabled);
    EXPECT_EQ(v.angle_offset.value.text, "0.5");
    v.points.choose(1);
    EXPECT_EQ(v.angle_offset.value.text, "1.5");
    v.banks.choose(1);
    EXPECT_EQ(v.angle_offset.value.text, "10.5");

    Session old;
    auto& w = open<records::frmGPNT>(old, "GPNT", testing_pof::weapon_points_body({2}), 2200);
    EXPECT_FALSE(w.angle_offset.enabled);
    EXPECT_EQ(w.angle_offset.value.text, "");
    EXPECT_EQ(column_of(w.coordinates, 1), (Rows{"0.5", "1", "-1"}));
}

TEST(WeaponPointViewer, ABankWithoutPointsBlanksTheCoordinates) {
    Session s;
    auto& v = open<records::frmGPNT>(s, "MPNT", testing_pof::weapon_points_body({2, -1}));
    EXPECT_EQ(v.title, "MPNT record");
    EXPECT_EQ(v.point_count.caption.text, "# missiles");
    EXPECT_EQ(v.points.rows, (Rows{"Missile 0", "Missile 1"}));
    v.banks.choose(1);
    EXPECT_EQ(v.point_count.value.text, "-1");
    EXPECT_TRUE(v.points.rows.empty());
    EXPECT_FALSE(v.points.enabled);
    EXPECT_EQ(column_of(v.coordinates, 0), kBlank);
    EXPECT_EQ(column_of(v.coordinates, 1), kBlank);
}

TEST(WeaponPointViewer, NoBanksLeavesTheGroupEmptyInBothWindows) {
    for (const char* id : {"GPNT", "MPNT"}) {
        Session s;
        // An earlier chunk's banks stay in the record but are not shown.
        s.read(
            testing_pof::PofBuilder(2117).chunk(id, testing_pof::weapon_points_body({1, 1})).str());
        auto& v = open<records::frmGPNT>(s, id, Bytes().i32(0));
        EXPECT_EQ(v.slots.value.text, "0") << id;
        EXPECT_TRUE(v.banks.rows.empty()) << id;
        EXPECT_FALSE(v.banks.enabled) << id;
        EXPECT_EQ(v.bank.caption, "") << id;
        EXPECT_EQ(column_of(v.coordinates, 0), kBlank) << id;
    }
}

TEST(TurretViewer, ATurretWithoutFiringPointsGreysThePosition) {
    Session s;
    auto& v = open<records::frmTGUN>(s, "TGUN", testing_pof::turret_body({2, 0}));
    EXPECT_EQ(v.banks.rows, (Rows{"Bank 0", "Bank 1"}));
    EXPECT_EQ(v.turret.caption, "Bank 0 data");
    EXPECT_EQ(v.physical_parent.value.text, "-1");
    EXPECT_EQ(v.firing_points.rows, (Rows{"Point 0", "Point 1"}));
    EXPECT_TRUE(v.firing_points.enabled);

    v.banks.choose(1);
    EXPECT_EQ(v.turret.caption, "Bank 1 data");
    EXPECT_EQ(v.parent.value.text, "2");
    EXPECT_EQ(column_of(v.normal, 0), (Rows{"1", "1", "0"}));
    EXPECT_EQ(v.firing_point_count.value.text, "0");
    EXPECT_TRUE(v.firing_points.rows.empty());
    EXPECT_FALSE(v.firing_points.enabled);
    EXPECT_EQ(column_of(v.position, 0), kBlank);
    EXPECT_FALSE(headers_enabled(v.position));

    v.banks.choose(0);
    EXPECT_TRUE(v.firing_points.enabled);
    EXPECT_TRUE(headers_enabled(v.position));
    EXPECT_EQ(column_of(v.position, 0), (Rows{"0", "0", "2"}));
    EXPECT_EQ(v.firing.caption, "") << "the inner group never gets a caption";
}

TEST(TurretViewer, NoTurretsDisablesEveryCaptionOfABank) {
    Session s;
    auto& v = open<records::frmTGUN>(s, "TMIS", Bytes().i32(0));
    EXPECT_EQ(v.title, "TMIS record");
    EXPECT_FALSE(v.banks.enabled);
    EXPECT_FALSE(v.firing_points.enabled);
    EXPECT_EQ(v.turret.caption, "");
    EXPECT_EQ(v.parent.value.text, "");
    for (const auto* f : {&v.parent, &v.physical_parent, &v.firing_point_count}) {
        EXPECT_FALSE(f->caption.enabled) << f->caption.text;
    }
    EXPECT_FALSE(headers_enabled(v.normal));
    EXPECT_FALSE(headers_enabled(v.position));
    EXPECT_TRUE(v.bank_count.caption.enabled);
}

TEST(SpecialPointViewer, TextsShowUnchangedAndCaptionsGreyWithoutPoints) {
    Session s;
    const std::string props = "  $special=subsystem\n$fov=180  ";
    auto& v = open<records::frmSPCL>(
        s, "SPCL", testing_pof::special_points_body({{" gun 1 ", props}, {"dock", ""}}));
    EXPECT_EQ(v.points.rows, (Rows{"Special pt 0", "Special pt 1"}));
    EXPECT_TRUE(v.points.enabled);
    EXPECT_EQ(v.name.value.text, " gun 1 ");
    EXPECT_EQ(v.properties.text, props);
    v.points.choose(1);
    EXPECT_EQ(v.properties.text, "");
    EXPECT_EQ(column_of(v.point, 0), (Rows{"1", "2", "-3"}));
    EXPECT_EQ(v.radius.value.text, "2");

    Session none;
    auto& empty = open<records::frmSPCL>(none, "SPCL", Bytes().i32(0));
    EXPECT_FALSE(empty.points.enabled);
    EXPECT_FALSE(empty.name.caption.enabled);
    EXPECT_FALSE(empty.properties_caption.enabled);
    EXPECT_FALSE(empty.radius.caption.enabled);
    EXPECT_FALSE(headers_enabled(empty.point));
}

TEST(EyeViewer, CaptionsStayEnabledWithoutEyePoints) {
    Session s;
    auto& v = open<records::frmEYE>(s, "EYE ", testing_pof::eye_body(2));
    EXPECT_EQ(v.points.rows, (Rows{"Eye position 0", "Eye position 1"}));
    v.points.choose(1);
    EXPECT_EQ(v.subobject.value.text, "1");
    EXPECT_EQ(column_of(v.offset_normal, 0), (Rows{"1", "1", "2"}));
    EXPECT_EQ(column_of(v.offset_normal, 1), (Rows{"0", "0", "-1"}));

    Session none;
    auto& empty = open<records::frmEYE>(none, "EYE ", Bytes().i32(0));
    EXPECT_FALSE(empty.points.enabled);
    EXPECT_EQ(empty.subobject.value.text, "");
    EXPECT_TRUE(empty.subobject.caption.enabled);
    EXPECT_TRUE(headers_enabled(empty.offset_normal));
}

TEST(ShieldViewer, VerticesAndFacesAreChosenIndependently) {
    Session s;
    auto& v = open<records::frmSHLD>(s, "SHLD", testing_pof::shield_body(4, 4));
    EXPECT_EQ(v.vertices.selected, 0);
    EXPECT_EQ(v.faces.selected, 0);
    v.faces.choose(1);
    EXPECT_EQ(v.x.value.text, "0") << "choosing a face leaves the vertex shown";
    EXPECT_EQ(column_of(v.face_normal, 0), (Rows{"1", "0", "1"}));
    EXPECT_EQ(column_of(v.corners, 0), (Rows{"1", "2", "3"}));
    EXPECT_EQ(column_of(v.corners, 1), (Rows{"2", "3", "4"}));
    v.vertices.choose(3);
    EXPECT_EQ(v.y.value.text, "-3");
    EXPECT_EQ(column_of(v.corners, 1), (Rows{"2", "3", "4"}));
}

TEST(ShieldViewer, AnEmptySideIsGreyedAndTheOtherWorks) {
    Session s;
    auto& v = open<records::frmSHLD>(s, "SHLD", testing_pof::shield_body(0, 5));
    EXPECT_FALSE(v.vertices.enabled);
    EXPECT_FALSE(v.vertex.enabled);
    EXPECT_FALSE(v.x.caption.enabled);
    EXPECT_EQ(v.faces.rows.size(), 5u);
    EXPECT_TRUE(v.face.enabled);
    EXPECT_TRUE(headers_enabled(v.corners));

    Session one;
    auto& single = open<records::frmSHLD>(one, "SHLD", testing_pof::shield_body(1, 0));
    EXPECT_EQ(single.vertices.rows, (Rows{"Vertex 0"}));
    EXPECT_FALSE(single.vertices.enabled);
    EXPECT_FALSE(single.face.enabled);
    EXPECT_FALSE(headers_enabled(single.face_normal));
    EXPECT_FALSE(headers_enabled(single.corners));
    EXPECT_EQ(column_of(single.corners, 0), kBlank);
}

}  // namespace
