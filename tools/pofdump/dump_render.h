#pragma once
// pofdump's rendering of a window: the controls of a viewer, or the main window's label,
// record list and menus, as stable text lines or as JSON. The text form is the windows' own,
// the one they copy to the clipboard. Both are written to a stream as they are made.

#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

#include "shell/frmPOF.h"
#include "shell/main_window_text.h"
#include "view/viewer.h"
#include "view/window_text.h"

namespace pofdump {

// Keys stay in the order they are written in, so the output is stable and reads top down.
using Json = nlohmann::ordered_json;

using shell::main_window_text;
using shell::write_main_window_text;
using view::one_line;
using view::viewer_text;
using view::write_viewer_text;

// JSON text with two-space indents and a final line feed; bytes that are not UTF-8 (a file
// name, say) become U+FFFD instead of failing.
void write_viewer_json(const view::Viewer& viewer, std::ostream& out);
void write_main_window_json(const shell::frmPOF& form, std::ostream& out);

// The same JSON as a document, for callers that look inside it.
Json viewer_json(const view::Viewer& viewer);
Json main_window_json(const shell::frmPOF& form);

// A document as the writers above lay it out.
std::string json_text(const Json& json);

}  // namespace pofdump
