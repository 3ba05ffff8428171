#pragma once
// Chunk bodies of a small but complete model, shared by the tests, the fuzz seeds, the
// benchmarks and the sample model the build writes.

#include <cstdint>
#include <string>
#include <vector>

#include "pof_builder.h"

namespace testing_pof {

struct HeaderFields {
    std::int32_t subobjects = 2;
    float radius = 25.5f;
    std::int32_t flags = 3;
    std::int32_t detail_levels = 1;
    std::int32_t debris = 2;
    std::int32_t cross_sections = 3;
    std::int32_t lights = 1;
};

// An OHDR/HDR2 body laid out for the given file version.
Bytes header_body(std::int32_t version, const HeaderFields& h = {});
Bytes texture_body(const std::vector<std::string>& names);
Bytes acen_body(float x, float y, float z);

// Subobject 0 or 1 of the sample model.
Bytes sample_subobject(std::int32_t version, std::int32_t number);

// Docking chunk bodies, each the first example of its window: two docks (properties "abc",
// paths 3 and 7, two points; then no paths and one point), one path "p0" of two vertices
// (turrets 4 and 5, then none), one thruster of two glows (properties "abc" from version
// 2117 on), one insignia of four vertices and two faces.
Bytes dock_body();
Bytes path_body();
Bytes fuel_body(std::int32_t version);
Bytes insg_body();

// Every chunk type pofscope reads, plus one unknown chunk "XXXX".
std::string sample_model(std::int32_t version = 2117);

}  // namespace testing_pof
