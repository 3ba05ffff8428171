#pragma once
// Builds the Model View's scene from the store. The store is only read; the scene holds no
// more than the store's tables and BSP data announce and actually hold.

#include <cstdint>
#include <vector>

#include "pof/global_data.h"
#include "scene/scene.h"

namespace scene {

Scene build_scene(const pof::ModelStore& store, const SceneOptions& options);

}  // namespace scene
