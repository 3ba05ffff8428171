#include "scene/picture.h"

#include <gtest/gtest.h>

#include <cmath>

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
