#pragma once
// --png and --thumbnail: a picture of the Model View drawn by the software renderer and
// written as PNG, through OutputFile like the OBJ export.

#include <optional>
#include <string>

#include "scene/render.h"
#include "view/picture.h"

namespace pofdump {

// The picture's textures decoded one after the other, as the window loads them.
scene::TextureImages load_textures(const view::PictureTextures* set);

// Why a size cannot be drawn ("a picture is 1 to 8192 pixels ..."), or nothing.
std::optional<std::string> refuse_size(long long width, long long height);

// Draws the picture from the camera fitted to it and writes it to path; why it could not.
std::optional<std::string> write_png(const std::string& path, const view::Picture& picture,
                                     const view::LineBatch& highlight,
                                     const scene::TextureImages& textures,
                                     const scene::RenderOptions& options);

}  // namespace pofdump
