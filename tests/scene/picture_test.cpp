#include "scene/picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "scene/build_scene.h"
#include "scene_model.h"

namespace {

using namespace scene_testing;

// A quad and a gun point: the quad is a fan of two triangles sharing its id, which comes
// after the markers'; a kind switched off draws nothing.
TEST(Picture, FansPolygonsAndNumbersItemsAsTheWindowDoes) {
    pof::ModelStore store;
    header(store, 1, {0});
    subobject(store, 0, -1, {0, 0, 10},
              Bytes()
                  .raw(defpoints({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}))
                  .raw(flatpoly({0, 1, 2, 3}, {255, 0, 0}))
                  .raw(eof()));
    store.gpnt.bank_count = 1;
    store.gpnt.point_counts = {1};
    store.gpnt.points.reset(1);
    store.gpnt.points.fill(0, 1)[0] = {{5, 5, 5}, {0, 0, 1}};
    const auto s = scene::build_scene(store, {});
    std::array<bool, scene::kMarkerKinds> shown{};
    shown[static_cast<int>(scene::MarkerKind::Gun)] = true;
    const auto picture = scene::make_picture(s, shown);

    ASSERT_EQ(picture.solids.size(), 1u);
    const int quad = static_cast<int>(s.markers.size());
    EXPECT_EQ(picture.solids[0].ids, (std::vector<int>{quad, quad}));
    EXPECT_EQ(picture.solids[0].positions,
              (std::vector<float>{0, 0, 10, 1, 0, 10, 1, 1, 10, 0, 0, 10, 1, 1, 10, 0, 1, 10}));
    EXPECT_EQ(picture.solids[0].colours[0], 255);
    ASSERT_EQ(picture.points.ids.size(), 1u);  // the gun; the subobject box is switched off
    EXPECT_EQ(s.markers[picture.points.ids[0]].kind, scene::MarkerKind::Gun);
    EXPECT_EQ(scene::item_outline(s, quad).ids.size(), 4u);  // the quad's four edges
}

// Fitting frames the drawn subobjects and the markers of the kinds shown; a far gun point
// that is switched off does not shrink the model to a dot.
TEST(Picture, FramesOnlyWhatIsShown) {
    pof::ModelStore store;
    header(store, 2, {0});
    subobject(store, 0, -1, {0, 0, 10},
              Bytes().raw(defpoints({{0, 0, 0}, {1, 2, 0}, {1, 0, 0}})).raw(eof()));
    subobject(store, 1, -1, {0, 0, 0},
              Bytes().raw(defpoints({{-50, -50, -50}, {0, 0, 0}, {0, 1, 0}})).raw(eof()));
    store.gpnt.bank_count = 1;
    store.gpnt.point_counts = {1};
    store.gpnt.points.reset(1);
    store.gpnt.points.fill(0, 1)[0] = {{900, 5, 5}, {0, 0, 1}};
    const auto s = scene::build_scene(store, {});  // detail level 0: subobject 0 alone
    std::array<bool, scene::kMarkerKinds> shown{};
    const auto off = scene::make_picture(s, shown);
    EXPECT_EQ(off.min, (std::array<float, 3>{0, 0, 10}));
    EXPECT_EQ(off.max, (std::array<float, 3>{1, 2, 10}));
    shown[static_cast<int>(scene::MarkerKind::Gun)] = true;
    EXPECT_EQ(scene::make_picture(s, shown).max, (std::array<float, 3>{900, 5, 10}));
    EXPECT_TRUE(scene::make_picture(scene::Scene{}, shown).empty());
}

// The wireframe draws a quad as its four stored edges, not the fan's diagonal; a hidden mesh
// keeps its ids for the meshes after it but draws nothing; a radius is a sphere of three
// rings, so it shows from every side.
TEST(Picture, WireframeHiddenMeshesAndRadiusSpheres) {
    pof::ModelStore store;
    header(store, 2, {0});
    const auto quad = [](float z) {
        return Bytes()
            .raw(defpoints({{0, 0, z}, {1, 0, z}, {1, 1, z}, {0, 1, z}}))
            .raw(flatpoly({0, 1, 2, 3}, {200, 100, 50}))
            .raw(eof());
    };
    subobject(store, 0, -1, {}, quad(0));
    subobject(store, 1, -1, {}, quad(5));
    auto s = scene::build_scene(store, {scene::SceneOptions::kAllSubobjects});
    ASSERT_EQ(s.meshes.size(), 2u);
    const int first = static_cast<int>(s.markers.size());
    const auto edges = scene::polygon_edges(s);
    EXPECT_EQ(edges.ids, (std::vector<int>{first, first, first, first, first + 1, first + 1,
                                           first + 1, first + 1}));
    EXPECT_EQ(std::vector<float>(edges.positions.begin(), edges.positions.begin() + 6),
              (std::vector<float>{0, 0, 0, 1, 0, 0}));

    scene::PictureOptions options;
    options.meshes_shown = {false, true};
    std::array<bool, scene::kMarkerKinds> shown{};
    const auto picture = scene::make_picture(s, shown, options);
    ASSERT_EQ(picture.solids.size(), 1u);
    EXPECT_EQ(picture.solids[0].ids, (std::vector<int>{first + 1, first + 1}));
    EXPECT_EQ(scene::polygon_edges(s, options).ids.size(), 4u);

    s.markers.push_back({scene::MarkerKind::Special, {0, 0, 0}, {}, 2, {}, {}});
    shown[static_cast<int>(scene::MarkerKind::Special)] = true;
    const auto lines = scene::make_picture(s, shown).lines;
    float reach_x = 0, reach_y = 0, reach_z = 0;
    for (std::size_t i = 0; i + 2 < lines.positions.size(); i += 3) {
        reach_x = std::max(reach_x, lines.positions[i]);
        reach_y = std::max(reach_y, lines.positions[i + 1]);
        reach_z = std::max(reach_z, lines.positions[i + 2]);
    }
    EXPECT_FLOAT_EQ(reach_x, 2);
    EXPECT_FLOAT_EQ(reach_y, 2);
    EXPECT_FLOAT_EQ(reach_z, 2);
}

// Under "All subobjects" each detail level past the first and the debris get tints of their
// own, on the colours and on the texture alike; level 0 keeps its colours.
TEST(Picture, TintsDetailLevelsAndDebrisApart) {
    scene::Mesh level0, level1, level2, debris;
    level1.detail_level = 1;
    level2.detail_level = 2;
    debris.debris = true;
    EXPECT_EQ(scene::mesh_tint(level0), (std::array<float, 3>{1, 1, 1}));
    const std::set<std::array<float, 3>> tints{scene::mesh_tint(level0), scene::mesh_tint(level1),
                                               scene::mesh_tint(level2), scene::mesh_tint(debris)};
    EXPECT_EQ(tints.size(), 4u);
}

// A marker near the edge of float range: its normal line and radius ring overflow and are left
// out, the point stays, and no line end the renderer gets is infinite.
TEST(Picture, LeavesOutLinesThatOverflow) {
    scene::Scene s;
    s.markers.push_back({scene::MarkerKind::Thruster, {3e38f, 0, 0}, {1, 0, 0}, 3e38f, {}, {}});
    std::array<bool, scene::kMarkerKinds> shown{};
    shown.fill(true);
    const auto picture = scene::make_picture(s, shown);
    EXPECT_EQ(picture.points.ids.size(), 1u);
    for (const float x : picture.lines.positions) EXPECT_TRUE(std::isfinite(x)) << x;
}

}  // namespace
