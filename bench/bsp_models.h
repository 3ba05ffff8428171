#pragma once
// Generated models for the subobject benchmarks: BSP data of many TMAPPOLY blocks, and
// DEFPOINTS blocks of many vertices.

#include <cstdint>
#include <string>

#include "every_chunk_model.h"
#include "pof_builder.h"
#include "session.h"
#include "subobject_model.h"

namespace bench_models {

using testing_pof::Bytes;
using testing_pof::PofBuilder;

// A triangle with texture coordinates: 80 bytes, as most exporters write them.
inline Bytes triangle() {
    return testing_pof::bsp::tmappoly({{0, 0, 0, 0}, {1, 1, 1, 0}, {2, 2, 1, 1}}, 0);
}

inline Bytes triangles(int blocks) {
    Bytes bsp;
    for (int i = 0; i < blocks; ++i) bsp.raw(triangle());
    return bsp.raw(testing_pof::bsp::eof());
}

// One subobject whose BSP data holds the given blocks.
inline std::string one_subobject(const Bytes& bsp) {
    return PofBuilder(2117)
        .chunk("HDR2", testing_pof::header_body(2117, {.subobjects = 1}))
        .chunk("OBJ2", testing_pof::subobject_body(2117, {.name = "hull", .bsp = bsp}))
        .str();
}

// About the given number of bytes: OBJ2 chunks of 1,000 triangles each (about 80 kB).
inline std::string bsp_heavy(std::int64_t bytes) {
    const Bytes bsp = triangles(1000);
    const std::int32_t count = static_cast<std::int32_t>(bytes / (bsp.size() + 100)) + 1;
    PofBuilder b(2117);
    b.chunk("HDR2", testing_pof::header_body(2117, {.subobjects = count}));
    for (std::int32_t n = 0; n < count; ++n) {
        b.chunk("OBJ2",
                testing_pof::subobject_body(2117, {.number = n, .name = "hull", .bsp = bsp}));
    }
    return b.str();
}

inline Bytes vertices(int count) {
    std::vector<testing_pof::bsp::Vertex> v(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        v[i].position = {static_cast<float>(i), 1, 2};
        v[i].normals = {{0, 0, 1}};
    }
    return testing_pof::bsp::defpoints(v).raw(testing_pof::bsp::eof());
}

// Reads a model whose one subobject holds a DEFPOINTS block of count vertices, walks it in the
// subobject viewer and makes the block current, as a double-click on its row does.
inline void read_vertex_block(testing_pof::Session& s, int count) {
    s.read(one_subobject(vertices(count)));
    s.form.menu_command("IDM_SOBJ");
    const auto size = static_cast<std::int32_t>(s.store.browsing.buffer.size()) - 8;
    s.store.browsing.block = {0, "DEFPOINTS", size};
}

}  // namespace bench_models
