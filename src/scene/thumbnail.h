#pragma once
// A model's thumbnail, as file managers show it: detail level 0 without any marker, from the
// fitted three-quarter view, on a transparent square, with the textures found for the model.

#include "pof/global_data.h"
#include "scene/render.h"

namespace scene {

// Drawn one subobject at a time, so that it holds the scene and the image but never the
// triangles of the whole model a second time. Sides outside 1 ... kMaxImageSide, and a model
// with no polygon at detail level 0, give an empty image.
RenderedImage draw_thumbnail(const pof::ModelStore& store, int side);

}  // namespace scene
