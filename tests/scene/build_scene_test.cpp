#include "scene/build_scene.h"
#include "scene/scene_words.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "scene_model.h"

namespace {

using namespace scene_testing;
using pof::RecordEntry;
using pof::Vec3;
using scene::build_scene;
using scene::MarkerKind;
using scene::SceneOptions;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

const scene::Mesh* mesh_of(const scene::Scene& s, std::int32_t number) {
    for (const auto& m : s.meshes)
        if (m.subobject == number) return &m;
    return nullptr;
}

std::vector<std::int32_t> drawn(const scene::Scene& s) {
    std::vector<std::int32_t> out;
    for (const auto& m : s.meshes) out.push_back(m.subobject);
    return out;
}

TEST(BuildScene, PlacesSubobjectsAtTheOffsetsOfTheirParentChain) {
    pof::ModelStore store;
    header(store, 3, {0});
    subobject(store, 0, -1, {1, 0, 0});
    subobject(store, 1, 0, {0, 2, 0});
    subobject(store, 2, 1, {0, 0, 3});
    const auto s = build_scene(store, {});
    EXPECT_EQ(mesh_of(s, 1)->placement, (Vec3{1, 2, 0}));
    EXPECT_EQ(mesh_of(s, 2)->placement, (Vec3{1, 2, 3}));
    EXPECT_TRUE(s.notes.empty());
}

TEST(BuildScene, BrokenChainsEndWhereTheyBreakAndAreNoted) {
    pof::ModelStore store;
    header(store, 6, {0});
    subobject(store, 0, 1, {1, 0, 0});  // 0 -> 1 -> 0: a loop
    subobject(store, 1, 0, {2, 0, 0});
    subobject(store, 2, 9, {0, 4, 0});  // outside the table
    subobject(store, 3, 5, {0, 0, 8});  // slot 5 has no chunk
    subobject(store, 4, 3, {0, 0, 1});
    const auto s = build_scene(store, {SceneOptions::kAllSubobjects});
    EXPECT_EQ(s.meshes.size(), 5u);
    EXPECT_EQ(mesh_of(s, 0)->placement, (Vec3{3, 0, 0}));
    EXPECT_EQ(mesh_of(s, 2)->placement, (Vec3{0, 4, 0}));
    EXPECT_EQ(mesh_of(s, 4)->placement, (Vec3{0, 0, 9}));
    EXPECT_EQ(s.notes,
              (std::vector<std::string>{"subObject 1: parent 0 closes a loop of parents",
                                        "subObject 2: parent 9 is outside the subobject table",
                                        "subObject 3: parent 5 has no subobject chunk"}));
}

TEST(BuildScene, DrawsTheChosenDetailLevelAndDebrisOnlyUnderAll) {
    pof::ModelStore store;
    header(store, 5, {0, 3}, {4});
    subobject(store, 0, -1, {});
    subobject(store, 1, 0, {});
    subobject(store, 2, 1, {});
    subobject(store, 3, -1, {});
    subobject(store, 4, -1, {});
    EXPECT_EQ(drawn(build_scene(store, {0})), (std::vector<std::int32_t>{0, 1, 2}));
    EXPECT_EQ(drawn(build_scene(store, {1})), (std::vector<std::int32_t>{3}));
    EXPECT_EQ(drawn(build_scene(store, {SceneOptions::kAllSubobjects})),
              (std::vector<std::int32_t>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(build_scene(store, {2}).meshes.empty());
    // Under "All subobjects" each mesh knows its level or that it is debris.
    std::vector<std::pair<int, bool>> roles;
    for (const scene::Mesh& m : build_scene(store, {SceneOptions::kAllSubobjects}).meshes)
        roles.emplace_back(m.detail_level, m.debris);
    EXPECT_EQ(roles, (std::vector<std::pair<int, bool>>{
                         {0, false}, {0, false}, {0, false}, {1, false}, {-1, true}}));
}

TEST(BuildScene, LeavesOutPolygonsItCannotDrawAndCountsWhy) {
    pof::ModelStore store;
    header(store, 1, {0});
    const Bytes bsp =
        Bytes()
            .raw(defpoints({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, {kNaN, 0, 0}}))
            .raw(tmappoly({0, 1, 3, 2}, 1))           // drawn: 2 triangles
            .raw(flatpoly({0, 1, 2}, {255, 0, 16}))   // drawn: 1 triangle
            .raw(tmappoly({0, 1}, 0))                 // too few corners
            .raw(flatpoly({0, 1, 7}, {0, 0, 0}))      // index past the vertices
            .raw(tmappoly({0, 1, 4}, 0))              // a vertex not finite
            .raw(tmappoly({0, 1, 2}, 0, 2000000000))  // cut by its block's end
            .raw(eof());
    subobject(store, 0, -1, {}, bsp);
    const auto s = build_scene(store, {});
    const auto& left = s.counts.left_out;
    EXPECT_EQ(s.counts.polygons, 2);
    EXPECT_EQ(s.counts.triangles, 3);
    EXPECT_EQ(left.short_polygons, 1);
    EXPECT_EQ(left.bad_index_polygons, 1);
    EXPECT_EQ(left.nonfinite_vertices, 1);
    EXPECT_EQ(left.nonfinite_polygons, 1);
    EXPECT_EQ(left.cut_polygons, 1);
    const auto& quad = s.meshes[0].polygons[0];
    EXPECT_EQ(s.meshes[0].corners_of(quad)[2].vertex, 3);
    EXPECT_EQ(s.meshes[0].corners.size(), 7u);  // the left-out polygons' corners are dropped
    EXPECT_EQ(s.meshes[0].ref_of(quad),
              (pof::ItemRef{RecordEntry::SOBJ, {{1, 0, false}, {2, 1, true}}}));
    EXPECT_EQ(s.meshes[0].polygons[1].colour, (std::array<std::uint8_t, 3>{255, 0, 16}));
    // The stray vertex does not reach the frame.
    EXPECT_EQ(s.bounds.max, (Vec3{1, 1, 0}));
    EXPECT_EQ(scene::left_out_text(s),
              "Left out: 1 polygon with fewer than 3 vertices · 1 polygon with a vertex index "
              "outside its DEFPOINTS block · 1 polygon cut short by its block · 1 polygon on a "
              "vertex that is not finite · 1 vertex that is not finite");
    EXPECT_EQ(scene::left_out_text(build_scene(pof::ModelStore{}, {})), "");
}

// Each kind counted in its units: items and the points they hold (a turret bank's own marker
// is its bank, not a firing point), or points alone; singular for one, "none" for nothing.
TEST(SceneWords, CountsEachKindInItsUnits) {
    scene::Scene s;
    const auto add = [&s](MarkerKind kind, std::vector<pof::RowChoice> rows) {
        s.markers.push_back({kind, {}, {}, 0, {}, {RecordEntry::PATH, std::move(rows)}});
    };
    add(MarkerKind::TurretGun, {{1, 0, false}});
    add(MarkerKind::TurretGun, {{1, 0, false}, {2, 0, false}});
    add(MarkerKind::TurretGun, {{1, 0, false}, {2, 1, false}});
    for (const auto& [path, vertex] : {std::pair{0, 0}, {0, 1}, {1, 0}, {1, 1}, {1, 2}})
        add(MarkerKind::Path, {{1, path, false}, {2, vertex, false}});
    add(MarkerKind::Eye, {{1, 0, false}});
    add(MarkerKind::CenterOfMass, {});
    add(MarkerKind::CenterOfMass, {});
    const auto texts = scene::count_texts(s);
    const auto text = [&texts](MarkerKind k) { return texts[static_cast<int>(k)]; };
    EXPECT_EQ(text(MarkerKind::TurretGun), "1 bank · 2 firing points");
    EXPECT_EQ(text(MarkerKind::Path), "2 paths · 5 vertices");
    EXPECT_EQ(text(MarkerKind::Eye), "1 point");
    EXPECT_EQ(text(MarkerKind::CenterOfMass), "2 points");
    EXPECT_EQ(text(MarkerKind::Gun), "none");
}

// A DEFPOINTS block that announces two billion vertices holds what its bytes hold.
TEST(BuildScene, AHostileVertexCountCostsOnlyTheBlocksBytes) {
    pof::ModelStore store;
    header(store, 1, {0});
    Bytes body = Bytes().i32(2000000000).i32(0).i32(24).u8(0).u8(0).u8(0).u8(0).vec(1, 2, 3);
    subobject(store, 0, -1, {}, Bytes().i32(1).i32(8 + body.size32()).raw(body).raw(eof()));
    const auto s = build_scene(store, {});
    EXPECT_EQ(s.meshes[0].vertices.size(), 1u);
    EXPECT_EQ(s.counts.left_out.cut_vertex_blocks, 1);
}

// A polygon indexes the vertices of the last DEFPOINTS block before it: the triangle after the
// second block stands at (10, 10, 10), not on the first block's vertices at the origin.
TEST(BuildScene, APolygonTakesTheVerticesOfTheDefpointsBlockBeforeIt) {
    pof::ModelStore store;
    header(store, 1, {0});
    subobject(store, 0, -1, {},
              Bytes()
                  .raw(defpoints({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}))
                  .raw(defpoints({{10, 10, 10}, {11, 10, 10}, {10, 11, 10}, {9, 9, 9}}))
                  .raw(tmappoly({0, 1, 2}, 0))
                  .raw(tmappoly({1, 2, 3}, 0))
                  .raw(eof()));
    const auto s = build_scene(store, {});
    const scene::Mesh& m = s.meshes.at(0);
    ASSERT_EQ(m.vertices.size(), 7u);
    ASSERT_EQ(m.polygons.size(), 2u);
    for (const scene::Polygon& p : m.polygons) {
        for (const scene::Corner& c : m.corners_of(p)) {
            EXPECT_GE(m.vertices[c.vertex].x, 9)
                << "corner on the first block's vertex " << c.vertex;
        }
    }
    EXPECT_EQ(m.vertices[m.corners_of(m.polygons[1])[2].vertex], (Vec3{9, 9, 9}));
    // Index 3 is inside the second block but past the first one's three vertices.
    EXPECT_EQ(s.counts.left_out.bad_index_polygons, 0);
}

TEST(BuildScene, MarkersNameTheirRowsAndStrayValuesAreLeftOut) {
    pof::ModelStore store;
    header(store, 2, {0});
    subobject(store, 0, -1, {10, 0, 0});
    subobject(store, 1, 0, {0, 5, 0});
    auto& g = store.gpnt;
    g.bank_count = 2;
    g.point_counts = {1, 2};
    g.points.reset(2);
    g.points.fill(0, 1)[0] = {{1, 2, 3}, {0, 0, 1}};
    auto& bank1 = g.points.fill(1, 2);
    bank1[0] = {{kNaN, 0, 0}, {0, 0, 1}};
    bank1[1] = {{4, 5, 6}, {0, 1, 0}};
    store.eye.point_count = 1;
    store.eye.points = {{1, {1, 1, 1}, {0, 0, 1}}};
    store.subobjects.fill(1).bbox_max = {0, kNaN, 0};
    const auto s = build_scene(store, {});
    std::vector<pof::ItemRef> guns;
    for (const auto& m : s.markers) {
        if (m.kind == MarkerKind::Gun) guns.push_back(m.ref.item_ref());
        if (m.kind == MarkerKind::Eye) EXPECT_EQ(m.position, (Vec3{11, 6, 1}));
    }
    EXPECT_EQ(guns,
              (std::vector<pof::ItemRef>{{RecordEntry::GPNT, {{1, 0, false}, {2, 0, false}}},
                                         {RecordEntry::GPNT, {{1, 1, false}, {2, 1, false}}}}));
    EXPECT_EQ(s.counts.markers[static_cast<int>(MarkerKind::Gun)], 2);
    EXPECT_EQ(s.counts.markers[static_cast<int>(MarkerKind::Eye)], 1);
    EXPECT_EQ(s.counts.markers[static_cast<int>(MarkerKind::SubobjectBox)], 1);
    EXPECT_EQ(s.counts.left_out.nonfinite_markers, 2);  // the NaN gun, subobject 1's box
    EXPECT_TRUE(std::isfinite(s.bounds.min.x));
}

}  // namespace
