#pragma once
// pofdump's rendering of a window: the controls of a viewer, or the main window's label,
// record list and menus, as stable text lines or as JSON.

#include <string>

#include <nlohmann/json.hpp>

#include "shell/frmPOF.h"
#include "view/viewer.h"

namespace pofdump {

// Keys stay in the order they are written in, so the output is stable and reads top down.
using Json = nlohmann::ordered_json;

std::string viewer_text(const view::Viewer& viewer);
std::string main_window_text(const shell::frmPOF& form);

Json viewer_json(const view::Viewer& viewer);
Json main_window_json(const shell::frmPOF& form);

// JSON text with two-space indents and a final line feed; bytes that are not UTF-8 (a file
// name, say) become U+FFFD instead of failing.
std::string json_text(const Json& json);

// Control characters as the visible symbols U+2401..U+241F and U+2421, so that one value
// stays on one line of text output.
std::string one_line(const std::string& text);

}  // namespace pofdump
