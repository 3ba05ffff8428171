#pragma once
// Small models for the scene tests, put straight into a store: subobjects with BSP data made
// of a DEFPOINTS block, polygons and an EOF.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "pof/global_data.h"
#include "pof_builder.h"

namespace scene_testing {

using testing_pof::Bytes;

struct Vertex {
    float x, y, z;
};

inline Bytes defpoints(const std::vector<Vertex>& vertices) {
    const auto n = static_cast<std::int32_t>(vertices.size());
    Bytes body;
    body.i32(n).i32(0).i32(20 + n);
    for (std::int32_t i = 0; i < n; ++i) body.u8(0);
    for (const Vertex& v : vertices) body.vec(v.x, v.y, v.z);
    return Bytes().i32(1).i32(8 + body.size32()).raw(body);
}

// A TMAPPOLY over the vertex indices, u and v from each index; its count can say otherwise.
inline Bytes tmappoly(const std::vector<std::int16_t>& corners, std::int32_t texture,
                      std::int32_t count = -1) {
    Bytes body;
    body.vec(0, 0, 1).vec(0, 0, 0).f32(1);
    body.i32(count < 0 ? static_cast<std::int32_t>(corners.size()) : count).i32(texture);
    for (const std::int16_t c : corners) body.i16(c).i16(0).f32(c * 0.5f).f32(1);
    return Bytes().i32(3).i32(8 + body.size32()).raw(body);
}

inline Bytes flatpoly(const std::vector<std::int16_t>& corners, std::array<std::uint8_t, 3> rgb) {
    Bytes body;
    body.vec(0, 0, 1).vec(0, 0, 0).f32(1).i32(static_cast<std::int32_t>(corners.size()));
    body.u8(rgb[0]).u8(rgb[1]).u8(rgb[2]).u8(0);
    for (const std::int16_t c : corners) body.i16(c).i16(0);
    return Bytes().i32(2).i32(8 + body.size32()).raw(body);
}

// A TMAP2POLY over the 32-bit vertex indices, u and v from each index.
inline Bytes tmap2poly(const std::vector<std::uint32_t>& corners, std::int32_t texture) {
    Bytes body;
    body.vec(-1, -1, -1).vec(1, 1, 1).vec(0, 0, 1).i32(texture);
    body.i32(static_cast<std::int32_t>(corners.size()));
    for (const std::uint32_t c : corners) {
        body.i32(static_cast<std::int32_t>(c)).i32(0).f32(static_cast<float>(c) * 0.5f).f32(1);
    }
    return Bytes().i32(6).i32(8 + body.size32()).raw(body);
}

// A SORTNORM2 whose front and back offsets count from its own first byte.
inline Bytes sortnorm2(std::int32_t front, std::int32_t back) {
    return Bytes().i32(7).i32(40).i32(front).i32(back).vec(-1, -1, -1).vec(1, 1, 1);
}

inline Bytes eof() {
    return Bytes().i32(0).i32(0);
}

inline void subobject(pof::ModelStore& store, std::int32_t number, std::int32_t parent,
                      Vertex offset, const Bytes& bsp = Bytes(), std::string name = "") {
    records::Subobject& s = store.subobjects.fill(number);
    s.number = number;
    s.parent = parent;
    s.offset = {offset.x, offset.y, offset.z};
    s.name = std::move(name);
    s.bsp_data = pof::copy_block(bsp.str());
    s.bsp_data_size = bsp.size32();
}

// A header announcing count subobjects with the given detail levels and debris.
inline void header(pof::ModelStore& store, std::int32_t count, std::vector<std::int32_t> levels,
                   std::vector<std::int32_t> debris = {}) {
    store.header_read = true;
    store.ohdr.subobject_count = count;
    store.subobjects.create(count);
    store.ohdr.detail_level_count = static_cast<std::int32_t>(levels.size());
    store.ohdr.detail_levels = std::move(levels);
    store.ohdr.debris_count = static_cast<std::int32_t>(debris.size());
    store.ohdr.debris_pieces = std::move(debris);
}

}  // namespace scene_testing
