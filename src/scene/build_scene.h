#pragma once
// Builds the Model View's scene from the store. The store is only read; the scene holds no
// more than the store's tables and BSP data announce and actually hold.

#include <cstdint>
#include <vector>

#include "pof/global_data.h"
#include "scene/scene.h"

namespace scene {

Scene build_scene(const pof::ModelStore& store, const SceneOptions& options);

// The subobject viewer's drop-down row that shows subobject number, given the header's count
// and the filled subobject numbers in ascending order; -1 if no row does.
int subobject_row(std::int32_t count, const std::vector<std::int32_t>& filled, std::int32_t number);

}  // namespace scene
