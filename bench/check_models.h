#pragma once
// Generated models for the check benchmarks: subobjects of triangles on one vertex table,
// clean or with a texture-index finding on every triangle; paths of names given twice.

#include <cstdint>
#include <string>

#include "clean_model.h"
#include "every_chunk_model.h"
#include "pof_builder.h"
#include "subobject_model.h"

namespace bench_models {

using testing_pof::Bytes;
using testing_pof::PofBuilder;

// A vertex table, then blocks triangles; with bad_index every triangle names texture 1 of the
// one TXTR name (a finding per triangle: the corners past a vertex table are one per table).
inline Bytes vertex_table_and_triangles(int blocks, bool bad_index) {
    namespace bsp = testing_pof::bsp;
    Bytes data = bsp::defpoints({{{0, 0, 0}, {{0, 0, 1}}}, {{1, 0, 0}, {}}, {{0, 1, 0}, {}}});
    const std::int32_t texture = bad_index ? 1 : 0;
    for (int i = 0; i < blocks; ++i) data.raw(bsp::tmappoly({{0, 0}, {1, 0}, {2, 0}}, texture));
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

// The clean model with a PATH chunk of paths paths, each name given twice ("p0", "P0", ...)
// and every third a bay path past a gap ("$bay03", ...): the game's rules on path names,
// whose findings grow with the paths.
inline std::string named_paths(int paths) {
    Bytes body = Bytes().i32(paths);
    for (int p = 0; p < paths; ++p) {
        const bool bay = p % 3 == 2;
        std::string name = bay ? "$bay" : (p % 2 ? "P" : "p");
        name += std::to_string(bay ? 3 + p % 29 : p / 2);
        body.text(name).text("").i32(1).vec(0, 0, 0).f32(1).i32(0);
    }
    testing_pof::CleanModel m;
    m.path = body;
    return m.str();
}

}  // namespace bench_models
