#pragma once
// --png and --thumbnail: a picture of the Model View or the model's thumbnail, drawn by the
// software renderer and written as PNG through OutputFile, as the OBJ export is.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "scene/render.h"
#include "view/picture.h"

namespace pofdump {

// Why a size, its sides given as decimal digits without leading zeros, cannot be drawn ("a
// picture of 0 × 5 pixels cannot be drawn: ..."), or nothing.
std::optional<std::string> refuse_size(std::string_view width, std::string_view height);

// Opens path (only a regular file or a new one), then draws the image and writes it as PNG;
// why it could not. Nothing is drawn when the file is refused.
std::optional<std::string> write_png(const std::string& path,
                                     const std::function<scene::RenderedImage()>& draw);

}  // namespace pofdump
