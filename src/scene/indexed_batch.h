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

// The side of the grid cells that reduces the batches to about `triangles` in all: the cells a
// surface of their area covers, two triangles each. Zero when they are that small already.
float coarse_cell(std::span<const IndexedBatch* const> batches, std::size_t triangles);

// The batches with every vertex moved to the mean of the vertices of all batches in its cell of
// a grid of that side, and each batch's vertices in one cell merged into one: the triangles
// that become lines or points, and the repeats of one triangle, are left out. The first vertex
// of a batch in a cell lends the merged vertex its colour and texture coordinates.
std::vector<IndexedBatch> reduce_batches(std::span<const IndexedBatch* const> batches, float cell);

}  // namespace scene

namespace scene {

// The triangles of a batch that may colour a pixel of a view of width x height pixels, given the
// transform from the batch's coordinates to clip space (column by column): the others lie
// outside the view or fall between the pixel centres and draw nothing, so leaving them out
// changes nothing seen. A triangle that reaches the near or far plane is kept. The kept
// triangles' indices go to out; projected holds the vertices' places between calls.
void visible_triangles(const IndexedBatch& batch, const std::array<float, 16>& transform, int width,
                       int height, std::vector<float>& projected, std::vector<std::uint32_t>& out);

// The same for a batch as the picture holds it, a position (x y z) per corner and three corners a
// triangle: the kept triangles' corner numbers go to out. The triangles kept, and so the pixels
// drawn, are those visible_triangles keeps of the batch indexed.
void visible_corners(std::span<const float> positions, const std::array<float, 16>& transform,
                     int width, int height, std::vector<float>& projected,
                     std::vector<std::uint32_t>& out);

}  // namespace scene
