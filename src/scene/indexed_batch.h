#pragma once
// A picture's triangle batch as a GPU draws it fastest: each distinct corner once (its
// position, its colour and, when the texture is drawn, its texture coordinates) and three
// indices a triangle. A vertex shared by the polygons of a batch is then sent and shaded
// once, where the batch repeats it for every triangle. And the same batches reduced to a
// coarse mesh (vertices merged cell by cell of a grid) for the frames drawn while the view
// moves: fewer triangles, each drawn whole, so the surface stays solid.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "view/picture.h"

namespace scene {

// 16 bytes a vertex: the position as floats, the colour in four bytes (the fourth unused).
struct PackedVertex {
    std::array<float, 3> position;
    std::array<std::uint8_t, 4> colour;
};
static_assert(sizeof(PackedVertex) == 16);

struct IndexedBatch {
    std::vector<PackedVertex> vertices;
    std::vector<float> uvs;              // u v per vertex, when built with texture coordinates
    std::vector<std::uint32_t> indices;  // three per triangle, in the batch's triangle order
    std::array<float, 3> min{}, max{};   // of the vertices; min > max when there are none
};

// The batch's corners merged where position, colour and (with uvs) texture coordinates are
// the same bits. Without uvs the texture coordinates are left out, and corners that differ
// only in them share a vertex: for a batch drawn in its colours.
IndexedBatch index_batch(const view::TriangleBatch& batch, bool uvs);

// The side of the grid cells that reduces batches of that many triangles in all to about
// `triangles`: the cells a surface of their area covers, two triangles each. Zero when the
// batches are that small already.
float coarse_cell(std::span<const view::TriangleBatch> batches, std::size_t triangles);

// The batches with every vertex moved to the mean of the vertices of all batches in its cell of
// a grid of that side, and each batch's vertices in one cell merged into one: the triangles
// that become lines or points, and the repeats of one triangle, are left out. Built without
// texture coordinates.
std::vector<IndexedBatch> reduce_batches(std::span<const IndexedBatch> batches, float cell);

}  // namespace scene
