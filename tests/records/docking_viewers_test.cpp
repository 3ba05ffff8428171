#include <gtest/gtest.h>

#include "every_chunk_model.h"
#include "pof_builder.h"
#include "records/docking/frmDOCK.h"
#include "records/docking/frmFUEL.h"
#include "records/docking/frmGLOW.h"
#include "records/docking/frmINSG.h"
#include "records/docking/frmPATH.h"
#include "session.h"

namespace {

using testing_pof::Bytes;
using testing_pof::PofBuilder;
using Rows = std::vector<std::string>;
using view::Align;

class DockingViewers : public ::testing::Test {
  protected:
    // Reads a file of one chunk and opens its viewer from the Window menu.
    template <class V>
    V& open(const std::string& id, const Bytes& body, std::int32_t version = 2117) {
        s.read(PofBuilder(version).chunk(id, body).str());
        s.form.menu_command("IDM_" + id);
        auto* v = dynamic_cast<V*>(s.viewer("frm" + id));
        if (!v) throw std::runtime_error("no viewer frm" + id);
        return *v;
    }
    testing_pof::Session s;
};

bool any_enabled(std::initializer_list<const view::Control*> controls) {
    for (const auto* c : controls)
        if (c->enabled) return true;
    return false;
}

TEST_F(DockingViewers, DockInnerListsFollowTheChosenDock) {
    auto& v = open<records::frmDOCK>("DOCK", testing_pof::dock_body());
    EXPECT_EQ(v.docks.rows, (Rows{"Dock 0", "Dock 1"}));
    EXPECT_EQ(v.dock_group.caption, "Dock 0 data");
    EXPECT_EQ(v.properties.value.text, "abc");
    EXPECT_EQ(v.splines.rows, (Rows{"Spline path 0", "Spline path 1"}));
    EXPECT_EQ(v.path_number.value.text, "3");
    v.splines.choose(1);
    EXPECT_EQ(v.path_number.value.text, "7");
    v.points.choose(1);
    EXPECT_EQ(v.point.cell(1, 0).text, "5.5");

    v.docks.choose(1);
    EXPECT_EQ(v.dock_group.caption, "Dock 1 data");
    EXPECT_EQ(v.properties.value.text, "");
    EXPECT_EQ(v.spline_count.value.text, "0");
    EXPECT_TRUE(v.splines.rows.empty());
    EXPECT_FALSE(any_enabled({&v.splines, &v.path_number.caption}));
    EXPECT_EQ(v.path_number.value.text, "");
    EXPECT_EQ(v.points.rows, Rows{"Point 0"});
    EXPECT_FALSE(v.points.enabled);
    EXPECT_EQ(v.point.cell(0, 0).text, "7");

    v.docks.choose(0);
    EXPECT_TRUE(v.splines.enabled && v.path_number.caption.enabled);
    EXPECT_EQ(v.path_number.value.text, "3");

    EXPECT_EQ(v.properties.caption.align, Align::Right);
    EXPECT_EQ(v.point.rows[0]->align, Align::Right);
    for (const auto* centred : {&v.path_number.caption, v.point.columns[1].get()})
        EXPECT_EQ(centred->align, Align::Center);
    for (const auto* centred : {&v.path_number.value, &v.point.cell(2, 1)})
        EXPECT_EQ(centred->align, Align::Center);
    EXPECT_EQ(v.spline_count.value.align, Align::Left);
    EXPECT_EQ(v.properties.value.align, Align::Left);
    EXPECT_EQ(v.properties.value.lines, 3);
}

TEST_F(DockingViewers, NoDocksDisableWhatDependsOnThemWhateverTheRecordHeldBefore) {
    s.read(PofBuilder(2117).chunk("DOCK", testing_pof::dock_body()).str());
    auto& v = open<records::frmDOCK>("DOCK", Bytes().i32(0));
    EXPECT_EQ(v.dock_count.value.text, "0");
    EXPECT_TRUE(v.docks.rows.empty());
    EXPECT_FALSE(
        any_enabled({&v.docks, &v.splines, &v.points, &v.properties.caption,
                     &v.spline_count.caption, &v.path_number.caption, &v.point_count.caption,
                     v.point.columns[1].get(), v.point.rows[2].get()}));
    EXPECT_EQ(v.dock_group.caption, "");
    EXPECT_EQ(v.properties.value.text + v.point_count.value.text + v.point.cell(0, 0).text, "");
}

TEST_F(DockingViewers, PathVerticesAndTurretsFollowTheirChoices) {
    auto& v = open<records::frmPATH>("PATH", testing_pof::path_body());
    EXPECT_FALSE(v.paths.enabled);
    EXPECT_EQ(v.path_group.caption, "Path 0 data");
    EXPECT_EQ(v.vertex_group.caption, "Vertex 0 data");
    EXPECT_EQ(v.radius.value.text, "0.5");
    EXPECT_EQ(v.subobject.value.text, "4");
    v.turrets.choose(1);
    EXPECT_EQ(v.subobject.value.text, "5");
    v.vertices.choose(1);
    EXPECT_EQ(v.vertex_group.caption, "Vertex 1 data");
    EXPECT_EQ(v.turret_count.value.text, "0");
    EXPECT_FALSE(any_enabled({&v.turrets, &v.subobject.caption}));
    EXPECT_EQ(v.subobject.value.text, "");
    v.vertices.choose(0);
    EXPECT_TRUE(v.turrets.enabled && v.subobject.caption.enabled);
}

TEST_F(DockingViewers, APathWithoutVerticesDisablesTheVertexGroupUntilAnotherPathIsChosen) {
    Bytes body = Bytes().i32(2).text("none").text("").i32(0).text("three").text("p0").i32(3);
    for (int k = 0; k < 3; ++k) body.vec(k, 0, 0).f32(1).i32(0);
    auto& v = open<records::frmPATH>("PATH", body);
    EXPECT_FALSE(any_enabled({&v.vertex_group, &v.vertices, &v.radius.caption,
                              &v.turret_count.caption, v.position.rows[0].get()}));
    EXPECT_EQ(v.vertex_group.caption, "");
    v.paths.choose(1);
    EXPECT_TRUE(v.vertex_group.enabled && v.radius.caption.enabled && v.vertices.enabled);
    EXPECT_EQ(v.vertices.rows.size(), 3u);
    EXPECT_EQ(v.vertex_group.caption, "Vertex 0 data");

    auto& none = open<records::frmPATH>("PATH", Bytes().i32(0));
    EXPECT_FALSE(none.path_group.enabled);
}

// Paths past the 69th, vertices past the 6th and turrets past the 11th are kept and shown.
TEST_F(DockingViewers, TurretListsFollowTheDataBeyondAnyFixedTable) {
    Bytes body = Bytes().i32(70);
    for (int p = 0; p < 69; ++p) body.text("").text("").i32(0);
    body.text("far").text("").i32(7);
    for (int k = 0; k < 7; ++k) {
        body.vec(0, 0, 0).f32(0).i32(12);
        for (int t = 0; t < 12; ++t) body.i32(100 * k + t);
    }
    auto& v = open<records::frmPATH>("PATH", body);
    v.paths.choose(69);
    v.vertices.choose(6);
    EXPECT_EQ(v.turrets.rows.size(), 12u);
    v.turrets.choose(11);
    EXPECT_EQ(v.subobject.value.text, "611");
}

TEST_F(DockingViewers, ThrusterPropertiesAreShownOnlyFromVersion2117On) {
    auto& old = open<records::frmFUEL>("FUEL", testing_pof::fuel_body(2116), 2116);
    EXPECT_EQ(old.thruster_group.caption, "Thruster 0 data");
    EXPECT_FALSE(any_enabled({&old.thrusters, &old.version_group, &old.properties.caption}));
    EXPECT_EQ(old.properties.value.text, "");
    EXPECT_EQ(old.glows.rows, (Rows{"Glow 0", "Glow 1"}));
    EXPECT_EQ(old.glow.radius.value.text, "0.25");

    auto& v = open<records::frmFUEL>("FUEL", testing_pof::fuel_body(2117));
    EXPECT_TRUE(v.version_group.enabled && v.properties.caption.enabled);
    EXPECT_EQ(v.properties.value.text, "abc");
}

TEST_F(DockingViewers, AThrusterWithoutGlowsDisablesTheGlowCaptions) {
    const Bytes body = Bytes().i32(2).i32(1).i32(0).vec(1, 2, 3).vec(0, 0, 1).f32(2).i32(0).i32(0);
    auto& v = open<records::frmFUEL>("FUEL", body);
    v.thrusters.choose(1);
    EXPECT_EQ(v.glow_count.value.text, "0");
    EXPECT_TRUE(v.glows.rows.empty());
    EXPECT_FALSE(any_enabled({&v.glows, &v.glow.radius.caption, v.glow.grid.columns[0].get()}));
    EXPECT_EQ(v.glow.radius.value.text + v.glow.grid.cell(0, 0).text, "");
    v.thrusters.choose(0);
    EXPECT_TRUE(v.glow.radius.caption.enabled && v.glow.grid.rows[1]->enabled);
    EXPECT_EQ(v.glows.rows, Rows{"Glow 0"});
    EXPECT_FALSE(v.glows.enabled);
    EXPECT_EQ(v.glow.radius.value.text, "2");

    auto& none = open<records::frmFUEL>("FUEL", Bytes().i32(0));
    EXPECT_FALSE(any_enabled({&none.version_group, &none.glow_count.caption, &none.thrusters}));
    EXPECT_EQ(none.thruster_group.caption, "");
}

// A bank without points after one with them: no stale point stays, and the captions follow.
TEST_F(DockingViewers, AGlowBankWithoutPointsBlanksAndDisablesThePoint) {
    Bytes body = Bytes().i32(2).i32(1).i32(2).i32(3).i32(0).i32(0).i32(0).i32(1).text("");
    body.vec(1, 2, 3).vec(0, 0, 1).f32(0.5f).raw(Bytes().i32(0).i32(0).i32(0).i32(-1).i32(0));
    auto& v = open<records::frmGLOW>("GLOW", body.i32(0).i32(-2).text("x"));
    EXPECT_EQ(v.title, "GLOW record");
    EXPECT_EQ(v.point.radius.value.text, "0.5");
    v.banks.choose(1);
    EXPECT_EQ(v.bank_group.caption, "Bank 1 data");
    EXPECT_EQ(v.point_count.value.text + v.parent.value.text + v.properties.value.text, "-2-1x");
    EXPECT_TRUE(v.points.rows.empty());
    EXPECT_FALSE(any_enabled({&v.points, &v.point.radius.caption, v.point.grid.columns[1].get()}));
    EXPECT_EQ(v.point.radius.value.text + v.point.grid.cell(2, 1).text, "");
    v.banks.choose(0);
    EXPECT_TRUE(v.point.radius.caption.enabled && v.point.grid.rows[0]->enabled);

    auto& none = open<records::frmGLOW>("GLOW", Bytes().i32(-1));
    EXPECT_EQ(none.bank_count.value.text, "-1");
    EXPECT_FALSE(any_enabled({&none.banks, &none.lod.caption, &none.properties.caption,
                              &none.point.radius.caption, none.point.grid.rows[2].get()}));
    EXPECT_EQ(none.bank_group.caption + none.display_time.value.text, "");
}

TEST_F(DockingViewers, InsigniaShowsOffsetVerticesAndFaceCorners) {
    auto& v = open<records::frmINSG>("INSG", testing_pof::insg_body());
    EXPECT_EQ(v.title, "INSG record data");
    EXPECT_FALSE(v.insignias.enabled);
    EXPECT_EQ(v.insignia_group.caption, "Insignia 0 data");
    EXPECT_EQ(v.vertices.rows.size(), 4u);
    EXPECT_EQ(v.offset.cell(2, 0).text, "0.25");
    EXPECT_EQ(v.face_group.caption, "Face 0 data");
    Rows corners;
    for (int j = 0; j < 3; ++j) {
        corners.push_back(v.corners.cell(j, 0).text + v.corners.cell(j, 1).text +
                          v.corners.cell(j, 2).text);
    }
    EXPECT_EQ(corners, (Rows{"000", "110", "211"}));
    v.vertices.choose(2);
    EXPECT_EQ(v.vertex.cell(1, 0).text, "1");
    v.faces.choose(1);
    EXPECT_EQ(v.face_group.caption, "Face 1 data");
    EXPECT_EQ(v.corners.cell(2, 0).text, "3");
    EXPECT_EQ(v.corners.rows[0]->align, Align::Right);
    EXPECT_EQ(v.corners.cell(0, 2).align, Align::Center);
}

TEST_F(DockingViewers, InsigniaListsAreRebuiltAndDisabledByEachInsigniasCounts) {
    Bytes body = Bytes().i32(2).i32(0).i32(0).i32(1).vec(1, 1, 1).vec(0, 0, 0);
    body.i32(1).i32(3).i32(5);
    for (int k = 0; k < 6; ++k) body.vec(k, k, k);
    for (int c = 0; c < 9; ++c) body.i32(c).f32(0).f32(0);
    auto& v = open<records::frmINSG>("INSG", body);
    EXPECT_EQ(v.vertices.rows, Rows{"Vertex 0"});
    EXPECT_FALSE(v.vertices.enabled);
    EXPECT_TRUE(v.faces.rows.empty());
    EXPECT_FALSE(any_enabled({&v.faces, &v.face_group, v.corners.columns[2].get()}));
    EXPECT_EQ(v.face_group.caption + v.corners.cell(1, 1).text, "");
    v.insignias.choose(1);
    EXPECT_TRUE(v.vertices.enabled && v.faces.enabled && v.face_group.enabled);
    EXPECT_EQ(v.vertices.rows.size(), 5u);
    EXPECT_EQ(v.faces.rows.size(), 3u);

    // No insignias: nothing is filled, the detail level and vertex count included.
    auto& none = open<records::frmINSG>("INSG", Bytes().i32(0));
    EXPECT_FALSE(none.insignias.enabled);
    EXPECT_EQ(none.detail_level.value.text + none.vertex_count.value.text, "");
    EXPECT_EQ(none.insignia_group.caption + none.face_group.caption, "");
}

}  // namespace
