// The click-through fuzz target: any bytes, read as a POF file chosen in the open dialog, then
// every viewer the Window menu offers opened and clicked through. Besides crashes, sanitizer
// reports and memory limits it stops on broken promises of the reader and the windows:
// - a read ends clean with no message, or shows exactly one message;
// - the busy cursor is back to normal after the read;
// - Close All leaves no window open;
// - every text a window shows is valid UTF-8 (file bytes reach the screen only through text8);
// - read after another file, the windows show exactly what they show after a fresh start.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "click_through.h"
#include "every_chunk_model.h"
#include "promises.h"
#include "session.h"
#include "shell/frmPOF.h"
#include "view/viewer.h"
#include "view/window_text.h"

namespace {

// One run of the program: the store, the main window's logic, a desktop and windows.
using Run = testing_pof::Session;

// File > Open of bytes, as the menu does it after the dialog.
void read(Run& run, std::string_view bytes) {
    run.desktop.messages.clear();
    pof::clr_data(run.store, run.form);
    auto file = pof::PofFile::from_bytes(bytes);
    fuzzing::check_read(pof::read_chunks(file, run.store, run.form, run.desktop), run.desktop);
    fuzzing::check_texts(run.form.record_list(), "ListView1");
}

// Opens every viewer the Window menu offers, then double-clicks the rows of the record list
// (a chunk cut short has a row but no enabled entry); returns the open windows' texts.
std::string open_every_viewer(Run& run) {
    for (const auto& entry : pof::chunk_kinds()) {
        if (run.form.reachable(entry.menu_name)) run.form.menu_command(entry.menu_name);
    }
    auto& list = run.form.record_list();
    for (int i = 0; i < fuzzing::kRowsPerList && list.valid(i); ++i) list.double_click(i);
    std::string texts;
    for (const auto& w : run.windows.open) texts += view::viewer_text(*w.viewer);
    return texts;
}

// Reads the bytes, opens every viewer, then clicks through all the windows offer; returns
// the viewers' first texts.
std::string read_and_click_through(Run& run, std::string_view bytes) {
    read(run, bytes);
    const std::string texts = open_every_viewer(run);
    run.form.close_all();
    fuzzing::click_through(run.form, run.windows);
    fuzzing::check_windows(run.windows);
    run.form.close_all();
    if (!run.windows.open.empty()) {
        fuzzing::broken("Close All closes", run.windows.open.front().viewer->name());
    }
    return texts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string texts;
    {
        Run fresh;
        texts = read_and_click_through(fresh, bytes);
    }
    {
        // The same bytes after the every-chunk model, its windows open: the reset must leave
        // nothing of it for the windows to show.
        static const std::string earlier = testing_pof::every_chunk_model();
        Run after;
        read(after, earlier);
        open_every_viewer(after);
        if (read_and_click_through(after, bytes) != texts) {
            fuzzing::broken("the windows show only what the open file gave");
        }
    }
    return 0;
}
