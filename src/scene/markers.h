#pragma once
// The markers of the chunk items: weapon points, turrets, docks, paths, thrusters, eye and
// special points, the shield mesh, insignia, the centre of mass, the ACEN point and the
// header's box. Positions are drawn as stored, in the model's frame; eye points and turrets
// sit on their subobject.

#include "pof/global_data.h"
#include "scene/chains.h"
#include "scene/scene.h"

namespace scene {

void add_markers(const pof::ModelStore& store, Chains& chains, Scene& scene);

// The twelve edges of an axis-aligned box, moved by shift.
std::vector<pof::Vec3> box_edges(const pof::Vec3& min, const pof::Vec3& max,
                                 const pof::Vec3& shift);

}  // namespace scene
