#include "scene/pick.h"

#include <gtest/gtest.h>

#include <cmath>

#include "scene/camera.h"

namespace {

using pof::Vec3;
using scene::MarkerKind;

// A mesh of n x n unit quads in the plane z, from (x, y) on, numbered row by row.
scene::Mesh quads(int n, float x, float y, float z) {
    scene::Mesh mesh;
    for (int j = 0; j <= n; ++j) {
        for (int i = 0; i <= n; ++i)
            mesh.vertices.push_back({x + static_cast<float>(i), y + static_cast<float>(j), z});
    }
    mesh.vertex_finite.assign(mesh.vertices.size(), true);
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            scene::Polygon p;
            p.first_corner = static_cast<std::uint32_t>(mesh.corners.size());
            p.corner_count = 4;
            for (const int v : {j * (n + 1) + i, j * (n + 1) + i + 1, (j + 1) * (n + 1) + i + 1,
                                (j + 1) * (n + 1) + i})
                mesh.corners.push_back({v});
            mesh.polygons.push_back(p);
        }
    }
    return mesh;
}

// A hull of 10 x 10 quads at z = 0 with a smaller one of 2 x 2 at z = 5 before its centre,
// 40 gun points in rows at z = -3 behind the hull (seen from the front) and a box's edge above.
struct Picked {
    scene::Scene scene;
    std::array<bool, scene::kMarkerKinds> shown{};
    scene::PictureOptions options;
    scene::Camera camera;
    int hull = 0;

    Picked() {
        for (int i = 0; i < 40; ++i) {
            const Vec3 at{-4.375f + 1.25f * (i % 8), -4.375f + 1.25f * (i / 8), -3};
            scene.add_marker({MarkerKind::Gun, at, {0, 0, 1}, 0, {}, {}}, {});
        }
        const std::array<Vec3, 2> edge{Vec3{-6, 7, 0}, Vec3{6, 7, 0}};
        scene.add_marker({MarkerKind::HeaderBox, {}, {}, 0, {}, {}}, edge);
        hull = static_cast<int>(scene.markers.size());
        scene.meshes.push_back(quads(10, -5, -5, 0));
        scene.meshes.push_back(quads(2, -1, -1, 5));
        for (const auto& m : scene.meshes) {
            for (const Vec3& v : m.vertices) scene.bounds.add(v);
        }
        shown.fill(true);
        camera.fit(scene::make_picture(scene, shown));
    }
    // From the front (+z towards the eye) or the back.
    void look(bool front, bool orthographic) {
        camera.look(front ? 3.14159265f : 0, 0);
        camera.set_orthographic(orthographic);
    }
    // The item at the pixel of a point, or dy pixels above it.
    int at(const scene::PickTree& tree, const Vec3& point, int dy = 0) const {
        view::PickRequest r;
        r.transform = camera.transform(1).m;
        r.width = r.height = 400;
        const scene::Clip c = scene::transform(camera.transform(1), point);
        r.x = static_cast<int>(std::floor((c.x / c.w + 1) * 200));
        r.y = static_cast<int>(std::floor((c.y / c.w + 1) * 200)) + dy;
        return tree.item_at(scene, shown, options, r);
    }
};

// The polygon in front, the marker over the hull wherever it lies, a hidden subobject or kind
// left out, a line within reach of the pixel, and nothing under the ray.
TEST(Pick, FindsWhatTheFrameOfIdsShows) {
    Picked p;
    const scene::PickTree tree(p.scene);
    const int hull = p.hull, small = p.hull + 100;
    const Vec3 gun17{-3.125f, -1.875f, -3};
    for (const bool orthographic : {false, true}) {
        p.look(true, orthographic);
        EXPECT_EQ(p.at(tree, {0.3f, 0.1f, 0}), small + 3);  // the small quad before the hull
        EXPECT_EQ(p.at(tree, {3.5f, 2.5f, 0}), hull + 7 * 10 + 8);
        EXPECT_EQ(p.at(tree, gun17), 17);  // behind the hull, drawn over it
        EXPECT_EQ(p.at(tree, {0, 7, 0}, 4), 40);
        EXPECT_EQ(p.at(tree, {0, 7, 0}, 9), -1);
        EXPECT_EQ(p.at(tree, {-6.5f, -6.5f, 0}), -1);
        p.look(false, orthographic);
        EXPECT_EQ(p.at(tree, {0.3f, 0.1f, 0}), hull + 5 * 10 + 5);  // the hull hides the small quad
    }
    p.look(true, true);
    p.options.meshes_shown = {true, false};
    EXPECT_EQ(p.at(tree, {0.3f, 0.1f, 0}), hull + 5 * 10 + 5);
    p.shown[static_cast<int>(MarkerKind::Gun)] = false;
    EXPECT_EQ(p.at(tree, gun17), hull + 3 * 10 + 1);
    EXPECT_EQ(scene::PickTree(scene::Scene{}).item_at({}, p.shown, {}, {}), -1);
}

// 2,000 glow points in a grid, listed in a scrambled order: each is found at its pixel, and
// the tree costs a few bytes a marker (a run of them a leaf, not a node each).
TEST(Pick, FindsEachOfManyMarkersListedInAnyOrder) {
    scene::Scene s;
    for (int i = 0; i < 2000; ++i) {
        const int k = (i * 1237) % 2000;
        s.add_marker({MarkerKind::Glow, {1.0f * (k % 50), 1.0f * (k / 50), 0}, {}, 0, {}, {}}, {});
    }
    const scene::PickTree tree(s);
    EXPECT_LT(tree.bytes(), 10 * s.markers.size());
    std::array<bool, scene::kMarkerKinds> shown{};
    shown[static_cast<int>(MarkerKind::Glow)] = true;
    view::PickRequest r;  // orthographic, 20 pixels apart, from (10, 10)
    r.width = r.height = 1000;
    r.transform = {1 / 25.0f, 0, 0, -24.5f / 25, 0, 1 / 25.0f, 0, -24.5f / 25,
                   0,         0, 1, 0,           0, 0,         0, 1};
    for (int i = 0; i < 2000; i += 7) {
        const pof::Vec3& p = s.markers[static_cast<std::size_t>(i)].position;
        r.x = 10 + static_cast<int>(p.x) * 20;
        r.y = 10 + static_cast<int>(p.y) * 20;
        ASSERT_EQ(tree.item_at(s, shown, {}, r), i);
    }
}

}  // namespace
