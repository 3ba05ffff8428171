#include "scene/build_scene.h"
#include "scene/markers.h"
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

// The game reads the legacy polygons' 16-bit indices unsigned: a subobject of 40,000 vertices
// draws whole, its last polygons on vertices above 32,767.
TEST(BuildScene, ALegacySubobjectOfFortyThousandVerticesDrawsWhole) {
    constexpr int kVertices = 40000;
    std::vector<Vertex> vertices;
    for (int v = 0; v < kVertices; ++v) vertices.push_back({float(v % 200), float(v / 200), 0});
    Bytes bsp = Bytes().raw(defpoints(vertices));
    int tmappolys = 0;
    for (int v = 0; v + 201 < kVertices; v += 997, ++tmappolys) {
        bsp.raw(tmappoly({std::int16_t(v), std::int16_t(v + 1), std::int16_t(v + 201)}, 0));
    }
    bsp.raw(flatpoly({std::int16_t(39999), std::int16_t(32768), std::int16_t(0)}, {1, 2, 3}));
    bsp.raw(eof());
    pof::ModelStore store;
    header(store, 1, {0});
    subobject(store, 0, -1, {}, bsp);
    const auto s = build_scene(store, {});
    EXPECT_EQ(s.counts.polygons, tmappolys + 1);
    EXPECT_EQ(s.counts.left_out.bad_index_polygons, 0);
    const scene::Mesh& m = s.meshes.at(0);
    const auto last = m.corners_of(m.polygons.back());
    EXPECT_EQ(m.vertices[last[0].vertex], (Vec3{199, 199, 0}));
    EXPECT_EQ(last[1].vertex, 32768);
    EXPECT_EQ(m.corners_of(m.polygons[tmappolys - 1])[2].vertex, 997 * (tmappolys - 1) + 201);
    EXPECT_EQ(s.bounds.max, (Vec3{199, 199, 0}));
}

// SORTNORM2 offsets lead to the TMAP2POLY leaves, each drawn once, however many offsets lead
// to it; a block after a SORTNORM2 or a TMAP2POLY in the same run is not read, as the game
// reads nothing there. A split's front and back in either order.
TEST(BuildScene, ATreeOfTmap2PolyLeavesDrawsEachLeafTheGameReadsOnce) {
    const Bytes points = defpoints({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}});
    const Bytes a = tmap2poly({0, 1, 2}, 1), b = tmap2poly({1, 3, 2}, 2);
    const auto polygons = [&](const Bytes& tree) {
        pof::ModelStore store;
        header(store, 1, {0});
        subobject(store, 0, -1, {}, Bytes().raw(points).raw(tree));
        std::vector<std::pair<int, std::int32_t>> rows;  // block row, texture
        const auto s = build_scene(store, {});
        for (const scene::Polygon& p : s.meshes.at(0).polygons) {
            EXPECT_TRUE(p.textured);
            rows.emplace_back(p.block_row, p.texture);
        }
        return rows;
    };
    using Rows = std::vector<std::pair<int, std::int32_t>>;
    EXPECT_EQ(polygons(Bytes().raw(sortnorm2(40, 40 + a.size32())).raw(a).raw(b)),
              (Rows{{2, 1}, {3, 2}}));
    EXPECT_EQ(polygons(Bytes().raw(sortnorm2(40 + a.size32(), 40)).raw(a).raw(b)),
              (Rows{{2, 1}, {3, 2}}));
    // Both offsets on one leaf; the other leaf, and a TMAPPOLY after a leaf, are not read.
    EXPECT_EQ(polygons(Bytes().raw(sortnorm2(40, 40)).raw(a).raw(b).raw(tmappoly({0, 1, 2}, 3))),
              (Rows{{2, 1}}));
    // A leaf alone after the DEFPOINTS; a front offset of 0 is no child.
    EXPECT_EQ(polygons(Bytes().raw(a).raw(b)), (Rows{{1, 1}}));
    EXPECT_EQ(polygons(Bytes().raw(sortnorm2(0, 40)).raw(a).raw(b)), (Rows{{2, 1}}));
    // An offset that lands on no block, or outside the data, leads nowhere.
    EXPECT_EQ(polygons(Bytes().raw(sortnorm2(44, -4000)).raw(a)), (Rows{}));
    // A legacy split over a SORTNORM2 subtree: its back list after the subtree is still read.
    const Bytes legacy_tree = Bytes()
                                  .i32(4)
                                  .i32(80)
                                  .vec(0, 0, 1)
                                  .vec(0, 0, 0)
                                  .i32(0)
                                  .i32(80)
                                  .i32(80 + 40 + a.size32())
                                  .i32(0)
                                  .i32(0)
                                  .i32(0)
                                  .vec(-1, -1, -1)
                                  .vec(1, 1, 1);
    EXPECT_EQ(polygons(Bytes().raw(legacy_tree).raw(sortnorm2(40, 0)).raw(a).raw(b)),
              (Rows{{3, 1}, {4, 2}}));
}

// The axis values the game gives: -1 none, 0 x, 1 z, 2 y, 3 the three numbers of a property.
TEST(MovementAxes, AxisValuesAndProperties) {
    using scene::movement_axis;
    EXPECT_EQ(movement_axis(0, "", "$rotation_axis"), (Vec3{1, 0, 0}));
    EXPECT_EQ(movement_axis(1, "", "$rotation_axis"), (Vec3{0, 0, 1}));
    EXPECT_EQ(movement_axis(2, "", "$rotation_axis"), (Vec3{0, 1, 0}));
    EXPECT_FALSE(movement_axis(-1, "", "$rotation_axis"));
    EXPECT_FALSE(movement_axis(4, "", "$rotation_axis"));
    EXPECT_EQ(movement_axis(3, "$fov=180\n$rotation_axis = 0, 3, 4\n", "$rotation_axis"),
              (Vec3{0, 0.6f, 0.8f}));
    EXPECT_EQ(movement_axis(3, "$translation_axis: -2 0 0", "$translation_axis"), (Vec3{-1, 0, 0}));
    EXPECT_FALSE(movement_axis(3, "$rotation_axis=1,2", "$rotation_axis"));
    EXPECT_FALSE(movement_axis(3, "$rotation_axis=0,0,0", "$rotation_axis"));
    EXPECT_FALSE(movement_axis(3, "$rotation_axis=nan,1,0", "$rotation_axis"));
    EXPECT_FALSE(movement_axis(3, "$translation_axis=1,0,0", "$rotation_axis"));
}

// A turning subobject shows a ring around its axis through its placed offset; a sliding one a
// straight arrow along its axis, in the versions that have translation fields.
TEST(MovementAxes, RingsAndArrowsThroughThePlacedOffset) {
    const auto axes = [](std::int32_t version, std::int32_t movement, std::int32_t translation) {
        pof::ModelStore store;
        store.file_version = version;
        header(store, 2, {0});
        subobject(store, 0, -1, {0, 0, 5});
        subobject(store, 1, 0, {1, 0, 0});
        for (const std::int32_t n : {0, 1}) {
            records::Subobject& s = store.subobjects.fill(n);  // the one filled above
            s.movement_type = n == 1 ? movement : -1;
            s.movement_axis = 2;
            s.translation_type = n == 1 ? translation : -1;
            s.translation_axis = 3;
            s.properties = "$translation_axis=0,0,2";
            s.radius = 10;
        }
        return build_scene(store, {});
    };
    const auto of_axes = [](const scene::Scene& s) {
        std::vector<const scene::Marker*> found;
        for (const auto& m : s.markers)
            if (m.kind == MarkerKind::MovementAxis) found.push_back(&m);
        return found;
    };
    const auto ring = axes(2117, 1, 1);  // no translation fields at 2117
    ASSERT_EQ(ring.counts.markers[static_cast<int>(MarkerKind::MovementAxis)], 1);
    const scene::Marker& m = *of_axes(ring).at(0);
    EXPECT_EQ(m.kind, MarkerKind::MovementAxis);
    EXPECT_EQ(m.position, (Vec3{1, 0, 5}));
    EXPECT_EQ(m.normal, (Vec3{0, 1, 0}));
    EXPECT_EQ(m.ref.item_ref(), (pof::ItemRef{RecordEntry::SOBJ, {{1, 1, false}}}));
    for (const Vec3& p : ring.segments_of(m)) {
        EXPECT_NEAR(p.y, 0, 2) << "the ring lies across its axis";  // the arrowhead leans
        EXPECT_NEAR(std::hypot(p.x - 1, p.z - 5), 6, 2);
    }
    const auto both = axes(2301, 1, 1);
    ASSERT_EQ(both.counts.markers[static_cast<int>(MarkerKind::MovementAxis)], 2);
    const scene::Marker& arrow = *of_axes(both).at(1);
    EXPECT_EQ(arrow.normal, (Vec3{0, 0, 1}));
    const auto ends = both.segments_of(arrow);
    ASSERT_EQ(ends.size(), 6u);
    EXPECT_EQ(ends[0], (Vec3{1, 0, 5}));
    EXPECT_EQ(ends[1], (Vec3{1, 0, 17}));
    EXPECT_EQ(axes(2301, -1, 2).counts.markers[static_cast<int>(MarkerKind::MovementAxis)], 1);
    EXPECT_EQ(axes(2301, -1, -1).counts.markers[static_cast<int>(MarkerKind::MovementAxis)], 0);
    // The layer frames nothing: the model's bounds are its vertices and other markers.
    EXPECT_LT(both.bounds.max.z, 17);
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
