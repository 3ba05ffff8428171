#pragma once
// Subobject chunk bodies and the BSP blocks inside them, for the tests, the fuzz seeds, the
// benchmarks and the models built of them.

#include <cstdint>
#include <string>
#include <vector>

#include "pof_builder.h"

namespace testing_pof {

struct SubobjectFields {
    std::int32_t number = 0;
    std::int32_t parent = -1;
    float radius = 5;
    float offset[3] = {1, 2, 3};
    std::string name = "hull";
    std::string properties{};
    Bytes bsp{};  // the BSP data, its size written before it
    float bbox_min[3] = {-1, -2, -3};
    float bbox_max[3] = {1, 2, 3};
    float centre[3] = {0.5f, 0.25f, 0};  // the geometric centre
    std::int32_t movement_type = 1, movement_axis = 2;
    std::int32_t translation_type = 3, translation_axis = 1;  // written at 2301 to 3099
    std::int32_t reserved = 0;  // the field after the movement (or translation) axis
};

// A SOBJ/OBJ2 body in the field order of the given file version.
Bytes subobject_body(std::int32_t version, const SubobjectFields& s = {});

namespace bsp {

struct Vec {
    float x = 0, y = 0, z = 0;
};
struct Vertex {
    Vec position;
    std::vector<Vec> normals;
};
struct PolygonEntry {
    std::int16_t vertex = 0, normal = 0;
    float u = 0, v = 0;  // texture-mapped polygons only
};
// A TMAP2POLY entry: 32-bit indices.
struct Polygon2Entry {
    std::uint32_t vertex = 0, normal = 0;
    float u = 0, v = 0;
};
// The plane and extent a polygon block states before its entries.
struct PolygonHead {
    Vec normal{0, 0, 1}, centre{1, 2, 3};
    float radius = 4.5f;
};

// Normal counts right after the header, vertex data after them on a 4-byte boundary; the
// padding bytes between them hold pad.
Bytes defpoints(const std::vector<Vertex>& vertices, std::uint8_t pad = 0);
Bytes flatpoly(const std::vector<PolygonEntry>& entries, std::uint8_t red = 255,
               std::uint8_t green = 128, std::uint8_t blue = 0);
Bytes tmappoly(const std::vector<PolygonEntry>& entries, std::int32_t texture = 2,
               const PolygonHead& head = {});
Bytes sortnorm(std::int32_t front, std::int32_t back);
// Box min (-1, -2, -3) and max (1, 2, 3) and normal (0, 0, 1) unless told otherwise.
Bytes tmap2poly(const std::vector<Polygon2Entry>& entries, std::int32_t texture = 2,
                Vec min = {-1, -2, -3}, Vec max = {1, 2, 3}, Vec normal = {0, 0, 1});
Bytes sortnorm2(std::int32_t front, std::int32_t back, Vec min = {-4, -5, -6}, Vec max = {4, 5, 6});
Bytes boundbox(Vec min, Vec max);
Bytes eof();
// A block of any type ID whose size is what it declares, its body zeros.
Bytes block(std::int32_t type, std::int32_t size);

}  // namespace bsp

// BSP data holding one block of every type: DEFPOINTS (with normals), SORTNORM, FLATPOLY,
// TMAPPOLY, BOUNDBOX, EOF.
Bytes every_block_type();

}  // namespace testing_pof
