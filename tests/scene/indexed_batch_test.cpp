#include "scene/indexed_batch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// A quad as a fan of two triangles (corners 0 1 2 and 0 2 3): the corners the triangles share
// are one vertex each, unless their colour or (drawn textured) their texture coordinates
// differ, which splits that corner in two.
TEST(IndexedBatch, SharesCornersOnceAndSplitsThoseThatDiffer) {
    const struct {
        const char* what;
        std::vector<std::uint8_t> colours;
        std::vector<float> uvs;
        bool with_uvs;
        std::size_t vertices;
    } cases[] = {
        {"shared", std::vector<std::uint8_t>(18, 7), std::vector<float>(12, 0.5f), true, 4},
        {"uv of corner 0 differs",
         std::vector<std::uint8_t>(18, 7),
         {0, 0, 1, 0, 1, 1, 0.5f, 0, 1, 1, 0, 1},
         true,
         5},
        {"uv differs, drawn untextured",
         std::vector<std::uint8_t>(18, 7),
         {0, 0, 1, 0, 1, 1, 0.5f, 0, 1, 1, 0, 1},
         false,
         4},
        {"second triangle's colour differs",
         {7, 7, 7, 7, 7, 7, 7, 7, 7, 9, 9, 9, 9, 9, 9, 9, 9, 9},
         std::vector<float>(12, 0.5f),
         true,
         6},
    };
    for (const auto& c : cases) {
        view::TriangleBatch t;
        t.positions = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1, 0, 0, 1, 0};
        t.colours = c.colours;
        t.uvs = c.uvs;
        const scene::IndexedBatch b = scene::index_batch(t, c.with_uvs);
        EXPECT_EQ(b.vertices.size(), c.vertices) << c.what;
        EXPECT_EQ(b.uvs.size(), c.with_uvs ? 2 * c.vertices : 0) << c.what;
        ASSERT_EQ(b.indices.size(), 6u) << c.what;
        for (std::size_t i = 0; i < 6; ++i) {  // every corner where the batch put it
            const scene::PackedVertex& v = b.vertices[b.indices[i]];
            EXPECT_EQ(v.position[0], t.positions[3 * i]) << c.what;
            EXPECT_EQ(v.position[1], t.positions[3 * i + 1]) << c.what;
            EXPECT_EQ(v.colour[0], t.colours[3 * i]) << c.what;
            if (c.with_uvs) {
                EXPECT_EQ(b.uvs[2 * b.indices[i] + 1], t.uvs[2 * i + 1]) << c.what;
            }
        }
        EXPECT_EQ(b.max[1], 1.0f) << c.what;
    }
}

// Two batches of a 20 x 20 grid of squares meeting at x = 10, reduced to about 100 triangles:
// near that many are left, none with corners in one cell, and a cell's vertex lies at one
// place in both batches (no crack between them).
TEST(IndexedBatch, ReducesBatchesTogetherWithoutCracks) {
    std::array<view::TriangleBatch, 2> grid;
    for (int x = 0; x < 20; ++x) {
        for (int y = 0; y < 20; ++y) {
            const auto fx = static_cast<float>(x), fy = static_cast<float>(y);
            std::vector<float>& p = grid[x < 10 ? 0 : 1].positions;
            p.insert(p.end(), {fx, fy, 0, fx + 1, fy, 0, fx + 1, fy + 1, 0,  //
                               fx, fy, 0, fx + 1, fy + 1, 0, fx, fy + 1, 0});
        }
    }
    const std::array<scene::IndexedBatch, 2> fine{scene::index_batch(grid[0], false),
                                                  scene::index_batch(grid[1], false)};
    const std::array<const scene::IndexedBatch*, 2> both{&fine[0], &fine[1]};
    const float cell = scene::coarse_cell(both, 100);
    EXPECT_NEAR(cell, std::sqrt(8.0f), 1e-4);
    EXPECT_EQ(scene::coarse_cell(both, 800), 0.0f);  // small enough already
    const auto coarse = scene::reduce_batches(both, cell);
    std::size_t triangles = 0;
    std::map<std::array<int, 2>, std::array<float, 2>> place_of_cell;
    for (const scene::IndexedBatch& b : coarse) {
        triangles += b.indices.size() / 3;
        for (std::size_t t = 0; t < b.indices.size(); t += 3) {
            EXPECT_NE(b.indices[t], b.indices[t + 1]);
            EXPECT_NE(b.indices[t + 1], b.indices[t + 2]);
            EXPECT_NE(b.indices[t], b.indices[t + 2]);
        }
        for (const scene::PackedVertex& v : b.vertices) {
            // The mean of a cell's vertices lies in the cell.
            const std::array<int, 2> at{static_cast<int>(std::floor(v.position[0] / cell)),
                                        static_cast<int>(std::floor(v.position[1] / cell))};
            const auto [it, added] =
                place_of_cell.try_emplace(at, std::array<float, 2>{v.position[0], v.position[1]});
            EXPECT_EQ(it->second[0], v.position[0]);
            EXPECT_EQ(it->second[1], v.position[1]);
        }
    }
    EXPECT_GT(triangles, 50u);
    EXPECT_LT(triangles, 200u);
}

// Triangles in a view of 10 x 10 pixels, their corners given in pixels (z 0 is mid-depth):
// kept when they may cover a pixel centre (k + 0.5), with a little margin for the renderer's
// snapping, or when they reach the near or far plane.
TEST(IndexedBatch, KeepsOnlyTrianglesThatMayColourAPixel) {
    const struct {
        const char* what;
        std::array<std::array<float, 3>, 3> corners;
        bool kept;
    } cases[] = {
        {"covers centres", {{{1, 1, 0}, {4, 1, 0}, {1, 4, 0}}}, true},
        {"between four centres", {{{2.6f, 2.6f, 0}, {2.9f, 2.6f, 0}, {2.6f, 2.9f, 0}}}, false},
        {"long, between two columns", {{{2.6f, 0, 0}, {2.9f, 0, 0}, {2.6f, 9, 0}}}, false},
        {"a centre within the margin", {{{2.51f, 0, 0}, {2.9f, 0, 0}, {2.51f, 9, 0}}}, true},
        {"outside the view", {{{12, 12, 0}, {15, 12, 0}, {12, 15, 0}}}, false},
        {"small, beyond the far plane",
         {{{2.6f, 2.6f, 0}, {2.9f, 2.6f, 2}, {2.6f, 2.9f, 0}}},
         true},
    };
    // Pixels to clip space: x / 5 - 1, w = 1.
    const std::array<float, 16> transform{0.2f, 0, 0, 0, 0, 0.2f, 0, 0, 0, 0, 1, 0, -1, -1, 0, 1};
    scene::IndexedBatch b;
    for (const auto& c : cases) {
        for (const auto& corner : c.corners) {
            b.indices.push_back(static_cast<std::uint32_t>(b.vertices.size()));
            b.vertices.push_back({corner, {}});
        }
    }
    std::vector<float> projected;
    std::vector<std::uint32_t> kept;
    scene::visible_triangles(b, transform, 10, 10, projected, kept);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const bool found = std::find(kept.begin(), kept.end(), 3 * i) != kept.end();
        EXPECT_EQ(found, cases[i].kept) << cases[i].what;
    }
    // The picture's corners before indexing, listed last to first so that corner numbers and
    // vertex numbers differ: the same triangles kept, named by their corners.
    std::vector<float> corners;
    for (std::size_t i = std::size(cases); i-- > 0;) {
        for (const auto& corner : cases[i].corners)
            corners.insert(corners.end(), corner.begin(), corner.end());
    }
    std::vector<std::uint32_t> kept_corners;
    scene::visible_corners(corners, transform, 10, 10, projected, kept_corners);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto first = static_cast<std::uint32_t>(3 * (std::size(cases) - 1 - i));
        const bool found =
            std::find(kept_corners.begin(), kept_corners.end(), first) != kept_corners.end();
        EXPECT_EQ(found, cases[i].kept) << cases[i].what << ", from the corners";
    }
    EXPECT_EQ(kept_corners.size(), kept.size());
}

}  // namespace
