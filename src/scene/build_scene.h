#pragma once
// Builds the Model View's scene from the store. The store is only read; the scene holds no
// more than the store's tables and BSP data announce and actually hold.

#include "pof/global_data.h"
#include "scene/scene.h"

namespace scene {

Scene build_scene(const pof::ModelStore& store, const SceneOptions& options);

// The subobject viewer's drop-down row that shows subobject number; -1 if none does.
int subobject_row(const pof::ModelStore& store, std::int32_t number);

}  // namespace scene
