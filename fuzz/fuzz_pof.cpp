// The click-through fuzz target: any bytes, read as a POF file chosen in the open dialog, then
// every viewer the Window menu offers opened and clicked through. Besides crashes, sanitizer
// reports and memory limits it stops on broken promises of the reader and the windows:
// - a read ends clean with no message, or shows exactly one message;
// - the busy cursor is back to normal after the read;
// - Close All leaves no window open;
// - every text a window shows is valid UTF-8 (file bytes reach the screen only through text8).

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "click_through.h"
#include "promises.h"
#include "shell/frmPOF.h"
#include "view/viewer.h"

namespace {

// One File > Open of bytes into store, then a click through all it offers.
void read_and_click_through(pof::ModelStore& store, std::string_view bytes) {
    view::HeadlessDesktop desktop;
    view::HeadlessWindows windows;
    shell::frmPOF form(store, desktop, windows);
    form.window_opened();
    pof::clr_data(store, form);
    auto file = pof::PofFile::from_bytes(bytes);
    fuzzing::check_read(pof::read_chunks(file, store, form, desktop), desktop);
    fuzzing::check_texts(form.record_list(), "ListView1");

    fuzzing::click_through(form, windows);
    fuzzing::check_windows(windows);
    form.close_all();
    if (!windows.open.empty()) {
        fuzzing::broken("Close All closes", windows.open.front().viewer->name());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    {
        pof::ModelStore store;
        read_and_click_through(store, bytes);
    }
    {
        // The same bytes once more over what an earlier file left: stale tables beside
        // fresh counts.
        pof::ModelStore store = fuzzing::store_after_an_earlier_file();
        read_and_click_through(store, bytes);
    }
    return 0;
}
