#pragma once
// A subobject's drawable geometry out of its BSP data: the vertices of its DEFPOINTS blocks and
// one polygon per FLATPOLY, TMAPPOLY and TMAP2POLY block the game reads, found by the block
// walk (a SORTNORM2 or TMAP2POLY ends its run of blocks; split offsets start others). A polygon
// indexes the vertices of the last DEFPOINTS block before it.

#include <cstdint>

#include "records/subobjects/subobject_table.h"
#include "scene/scene.h"

namespace scene {

// Fills mesh's vertices and polygons; polygons name their block's row. What cannot be drawn is
// counted in left_out.
void add_geometry(const records::Subobject& subobject, Mesh& mesh, LeftOut& left_out);

}  // namespace scene
