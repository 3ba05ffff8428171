#pragma once
// pofdump --all: every section of the model's windows (shell/model_walk.h), as text or as one
// JSON document, written as the walk reaches them.

#include <ostream>

#include "shell/model_walk.h"

namespace pofdump {

class JsonStream;

// Each section's place on a line of its own, its controls under it indented by two blanks
// in the windows' text form (a drop-down list by its head alone: its rows are sections).
void write_all_text(shell::frmPOF& form, view::Windows& windows, std::ostream& out);
// {"sections": [{"place": [...], "controls": [...]}, ...]}, the controls as --json writes a
// window's.
void write_all_json(shell::frmPOF& form, view::Windows& windows, std::ostream& out);

// One section as an element of the open array (json_render.cpp, beside the window writer).
void write_section_json(JsonStream& json, const shell::Section& section);

}  // namespace pofdump
