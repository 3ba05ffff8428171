#pragma once
// Generated models for the check benchmarks: subobjects of triangles on one vertex table,
// clean or with a vertex-index finding on every triangle.

#include <cstdint>
#include <string>

#include "every_chunk_model.h"
#include "pof_builder.h"
#include "subobject_model.h"

namespace bench_models {

using testing_pof::Bytes;
using testing_pof::PofBuilder;

// A vertex table, then blocks triangles; with bad_index every triangle names a vertex the
// table does not hold.
inline Bytes vertex_table_and_triangles(int blocks, bool bad_index) {
    namespace bsp = testing_pof::bsp;
    Bytes data = bsp::defpoints({{{0, 0, 0}, {{0, 0, 1}}}, {{1, 0, 0}, {}}, {{0, 1, 0}, {}}});
    const std::int16_t last = bad_index ? 7 : 2;
    for (int i = 0; i < blocks; ++i) data.raw(bsp::tmappoly({{0, 0}, {1, 0}, {last, 0}}, 0));
    return data.raw(bsp::eof());
}

// subobjects subobjects in one parent chain, each holding bsp, and a TXTR of one name.
inline std::string chained_subobjects(const Bytes& bsp, int subobjects) {
    PofBuilder b(2117);
    b.chunk("HDR2", testing_pof::header_body(2117, {.subobjects = subobjects, .debris = 0}));
    for (int n = 0; n < subobjects; ++n) {
        b.chunk("OBJ2", testing_pof::subobject_body(
                            2117, {.number = n, .parent = n - 1, .name = "hull", .bsp = bsp}));
    }
    b.chunk("TXTR", testing_pof::texture_body({"hull"}));
    return b.str();
}

}  // namespace bench_models
