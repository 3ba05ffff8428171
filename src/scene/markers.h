#pragma once
// The markers of the chunk items: weapon points, turrets, docks, paths, thrusters, eye and
// special points, the shield mesh, insignia, the centre of mass, the ACEN point and the
// header's box. Positions are drawn as stored, in the model's frame; eye points and turrets
// sit on their subobject.

#include <array>
#include <optional>

#include "pof/global_data.h"
#include "pof/item_ref.h"
#include "scene/chains.h"
#include "scene/scene.h"

namespace scene {

void add_markers(const pof::ModelStore& store, Chains& chains, Scene& scene);

// Where a point the windows list but the scene has no marker of sits: a shield vertex
// (SHLD, vertex list) or an insignia vertex (INSG, insignia and vertex lists). None for
// other items, rows outside the record or coordinates that are not finite.
std::optional<pof::Vec3> unmarked_point(const pof::ModelStore& store, const pof::ItemRef& ref);

// The twelve edges of an axis-aligned box, moved by shift: pairs of line ends.
using BoxEdges = std::array<pof::Vec3, 24>;
BoxEdges box_edges(const pof::Vec3& min, const pof::Vec3& max, const pof::Vec3& shift);

}  // namespace scene
