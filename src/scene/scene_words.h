#pragma once
// The Model View's counts in words: each marker kind counted in its own units ("2 paths · 5
// vertices"), and what the scene left out in one line.

#include <array>
#include <string>

#include "scene/scene.h"

namespace scene {

// Per marker kind: its items and the points they hold, or its points alone; "none" for a
// kind without markers.
std::array<std::string, kMarkerKinds> count_texts(const Scene& scene);

// "Left out: 2 polygons with fewer than 3 vertices · 1 broken parent chain"; empty when
// nothing was left out.
std::string left_out_text(const Scene& scene);

}  // namespace scene
