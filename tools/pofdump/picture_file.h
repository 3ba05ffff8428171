#pragma once
// --png and --thumbnail: a picture of the Model View or the model's thumbnail, drawn by the
// software renderer and written as PNG through OutputFile, as the OBJ export is.

#include <functional>
#include <optional>
#include <string>

#include "scene/render.h"
#include "view/picture.h"

namespace pofdump {

// Why a size cannot be drawn ("a picture is 1 to 8192 pixels ..."), or nothing.
std::optional<std::string> refuse_size(long long width, long long height);

// Opens path (only a regular file or a new one), then draws the image and writes it as PNG;
// why it could not. Nothing is drawn when the file is refused.
std::optional<std::string> write_png(const std::string& path,
                                     const std::function<scene::RenderedImage()>& draw);

}  // namespace pofdump
