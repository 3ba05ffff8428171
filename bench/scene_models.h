#pragma once
// A generated ship of many triangles for the Model View benchmarks: subobjects of a grid of
// vertices, each grid square two TMAPPOLY triangles.

#include <cmath>
#include <cstdint>
#include <string>

#include "every_chunk_model.h"
#include "pof_builder.h"
#include "subobject_model.h"

namespace bench_models {

// A side x side grid of vertices, bent into a half tube so that it has depth; its triangles
// use textures texture and texture + 1.
inline testing_pof::Bytes grid_subobject(int side, float shift, std::int32_t texture = 0) {
    namespace bsp = testing_pof::bsp;
    std::vector<bsp::Vertex> vertices;
    for (int i = 0; i < side; ++i) {
        for (int j = 0; j < side; ++j) {
            const float a = 3.14159f * static_cast<float>(j) / static_cast<float>(side - 1);
            vertices.push_back({{static_cast<float>(i) + shift, std::sin(a) * 20, std::cos(a) * 20},
                                {{0, std::sin(a), std::cos(a)}}});
        }
    }
    testing_pof::Bytes data = bsp::defpoints(vertices);
    const auto at = [side](int i, int j) { return static_cast<std::int16_t>(i * side + j); };
    for (int i = 0; i + 1 < side; ++i) {
        for (int j = 0; j + 1 < side; ++j) {
            data.raw(bsp::tmappoly(
                {{at(i, j), 0, 0, 0}, {at(i + 1, j), 0, 1, 0}, {at(i + 1, j + 1), 0, 1, 1}},
                texture));
            data.raw(bsp::tmappoly(
                {{at(i, j), 0, 0, 0}, {at(i + 1, j + 1), 0, 1, 1}, {at(i, j + 1), 0, 0, 1}},
                texture + 1));
        }
    }
    return data.raw(bsp::eof());
}

// About triangles triangles in subobjects of 2 x 99 x 99 = 19,602 each.
inline std::string triangle_heavy(std::int64_t triangles) {
    constexpr int kSide = 100;
    constexpr std::int64_t kPerSubobject = 2 * (kSide - 1) * (kSide - 1);
    const auto count = static_cast<std::int32_t>((triangles + kPerSubobject - 1) / kPerSubobject);
    testing_pof::HeaderFields h;
    h.subobjects = count;
    testing_pof::PofBuilder b(2117);
    b.chunk("HDR2", testing_pof::header_body(2117, h));
    for (std::int32_t n = 0; n < count; ++n) {
        testing_pof::SubobjectFields s;
        s.number = n;
        s.parent = n == 0 ? -1 : 0;
        s.name = "part" + std::to_string(n);
        s.bsp = grid_subobject(kSide, static_cast<float>(n * kSide));
        b.chunk("OBJ2", testing_pof::subobject_body(2117, s));
    }
    return b.str();
}

// count subobjects that are all debris pieces, each a chunk of its own with an empty BSP walk:
// the scene of detail level 0 asks of every subobject whether it is debris.
inline std::string all_debris(std::int32_t count) {
    testing_pof::HeaderFields h;
    h.subobjects = count;
    h.debris = count;
    h.first_debris = 0;
    h.debris_step = 1;
    testing_pof::PofBuilder b(2117);
    b.chunk("HDR2", testing_pof::header_body(2117, h));
    for (std::int32_t n = 0; n < count; ++n) {
        testing_pof::SubobjectFields s;
        s.number = n;
        s.parent = -1;
        s.name = "debris";
        s.bsp = testing_pof::bsp::eof();
        b.chunk("OBJ2", testing_pof::subobject_body(2117, s));
    }
    return b.str();
}

// count gun points in banks of 8, count path vertices in paths of 8, and count eye points.
inline std::string many_markers(std::int32_t count) {
    const std::vector<std::int32_t> banks(static_cast<std::size_t>(count / 8), 8);
    testing_pof::PofBuilder b(2117);
    b.chunk("HDR2", testing_pof::header_body(2117, {}));
    b.chunk("GPNT", testing_pof::weapon_points_body(banks, true));
    b.chunk("EYE ", testing_pof::eye_body(count));
    return b.str();
}

}  // namespace bench_models
