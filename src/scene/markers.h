#pragma once
// The markers of the chunk items: weapon points, turrets, docks, paths, thrusters, eye and
// special points, the shield mesh, insignia, the centre of mass, the ACEN point and the
// header's box. Positions are drawn as stored, in the model's frame; eye points and turrets
// sit on their subobject.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "pof/global_data.h"
#include "pof/item_ref.h"
#include "records/subobjects/subobject_table.h"
#include "scene/chains.h"
#include "scene/scene.h"

namespace scene {

void add_markers(const pof::ModelStore& store, Chains& chains, Scene& scene);

// Where a point the windows list but the scene has no marker of sits: a shield vertex
// (SHLD, vertex list) or an insignia vertex (INSG, insignia and vertex lists). None for
// other items, rows outside the record or coordinates that are not finite.
std::optional<pof::Vec3> unmarked_point(const pof::ModelStore& store, const pof::ItemRef& ref);

// The movement of a drawn subobject placed at placement, as markers: where its movement type
// is not -1 a ring arrow around its rotation axis, where its translation type is not -1 (in the
// versions that have it) a straight arrow along its translation axis, both through the placed
// offset. Axis 0 is x, 1 z, 2 y, 3 the three numbers after $rotation_axis or
// $translation_axis in its properties; another axis draws nothing.
void add_movement_axes(const records::Subobject& s, std::int32_t file_version,
                       const pof::Vec3& placement, const MarkerRef& ref, Scene& scene);
// The axis vector an axis value names for a subobject of these properties; none for -1, a
// value without a meaning, or a property that does not give three finite numbers, not all 0.
std::optional<pof::Vec3> movement_axis(std::int32_t axis, std::string_view properties,
                                       std::string_view key);

// The twelve edges of an axis-aligned box, moved by shift: pairs of line ends.
using BoxEdges = std::array<pof::Vec3, 24>;
BoxEdges box_edges(const pof::Vec3& min, const pof::Vec3& max, const pof::Vec3& shift);

}  // namespace scene
