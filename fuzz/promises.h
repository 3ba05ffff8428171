#pragma once
// The promises every fuzz target checks besides crashes, sanitizer reports and memory limits.
// A broken promise aborts, so libFuzzer keeps the input.

#include <string_view>

#include "pof/read_pof.h"
#include "view/controls.h"
#include "view/headless.h"

namespace fuzzing {

[[noreturn]] void broken(const char* promise, std::string_view detail = {});

// Every text a control shows is valid UTF-8 (file bytes reach the screen only through text8).
void check_text(std::string_view text, std::string_view where);
void check_texts(const view::Control& c, std::string_view where);
void check_windows(const view::HeadlessWindows& windows);

// A read ends clean with no message or shows exactly one, and restores the busy cursor.
void check_read(pof::ReadOutcome outcome, const view::HeadlessDesktop& desktop);

// Reads bytes into store as a file chosen in the open dialog, with no window opened and a main
// window that only keeps its rows (each checked as UTF-8 as it comes), then checks the read's
// promises.
void read_model(pof::ModelStore& store, std::string_view bytes);

// The records the every-chunk model leaves in the store; the reset keeps them for the next file.
const pof::ModelStore& store_after_an_earlier_file();

}  // namespace fuzzing
