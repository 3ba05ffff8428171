// The fuzz target: any bytes, read as a POF file chosen in the open dialog, then every viewer
// the Window menu offers opened and clicked through. Besides crashes, sanitizer reports and
// memory limits it stops on broken promises of the reader and the windows:
// - a read ends clean with no message, or shows exactly one message;
// - the busy cursor is back to normal after the read;
// - Close All leaves no window open;
// - every text a window shows is valid UTF-8 (file bytes reach the screen only through text8);
// - after an earlier file, the windows show exactly what they show after a fresh start.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "click_through.h"
#include "pof/read_pof.h"
#include "sample_model.h"
#include "shell/frmPOF.h"
#include "view/headless.h"
#include "view/viewer.h"
#include "view/window_text.h"

namespace {

[[noreturn]] void broken(const char* promise, std::string_view detail = {}) {
    std::fprintf(stderr, "fuzz_pof: broken promise: %s %.*s\n", promise,
                 static_cast<int>(detail.size()), detail.data());
    std::abort();
}

bool valid_utf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto lead = static_cast<unsigned char>(s[i]);
        const std::size_t len = lead < 0x80           ? 1
                                : (lead >> 5) == 0x6  ? 2
                                : (lead >> 4) == 0xE  ? 3
                                : (lead >> 3) == 0x1E ? 4
                                                      : 0;
        if (len == 0 || len > s.size() - i) return false;
        for (std::size_t k = 1; k < len; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        }
        i += len;
    }
    return true;
}

void check_text(std::string_view text, std::string_view where) {
    if (!valid_utf8(text)) broken("text is not UTF-8 in", where);
}

void check_texts(const view::Control& c, std::string_view where) {
    using view::Kind;
    switch (c.kind()) {
        case Kind::Caption:
            check_text(static_cast<const view::Caption&>(c).text, where);
            break;
        case Kind::Value:
            check_text(static_cast<const view::Value&>(c).text, where);
            break;
        case Kind::Field: {
            const auto& f = static_cast<const view::Field&>(c);
            check_text(f.caption.text, where);
            check_text(f.value.text, where);
            break;
        }
        case Kind::TextBox:
            check_text(static_cast<const view::TextBox&>(c).text, where);
            break;
        case Kind::DropDown:
            for (const auto& row : static_cast<const view::DropDown&>(c).rows) {
                check_text(row, where);
            }
            break;
        case Kind::Table: {
            const auto& t = static_cast<const view::Table&>(c);
            for (const auto& column : t.columns) check_text(column.header, where);
            for (const auto& row : t.rows) {
                for (const auto& cell : row) check_text(cell, where);
            }
            break;
        }
        case Kind::Grid: {
            const auto& g = static_cast<const view::Grid&>(c);
            for (const auto& h : g.columns) check_text(h->text, where);
            for (const auto& h : g.rows) check_text(h->text, where);
            for (const auto& v : g.cells) check_text(v->text, where);
            for (const auto& span : g.spans) check_text(span.caption->text, where);
            break;
        }
        case Kind::Group:
            check_text(static_cast<const view::Group&>(c).caption, where);
            break;
        case Kind::Box:
            break;
    }
}

void check_windows(const view::HeadlessWindows& windows) {
    for (const auto& w : windows.open) {
        check_text(w.viewer->title, w.viewer->name());
        for (const auto* c : view::controls_of(w.viewer->layout()))
            check_texts(*c, w.viewer->name());
    }
}

// One run of the program: the store, the main window's logic, a desktop and windows.
struct Run {
    pof::ModelStore store;
    view::HeadlessDesktop desktop;
    view::HeadlessWindows windows;
    shell::frmPOF form{store, desktop, windows};
    Run() { form.window_opened(); }
};

// File > Open of bytes, as the menu does it after the dialog.
void read(Run& run, std::string_view bytes) {
    run.desktop.messages.clear();
    pof::clr_data(run.store, run.form);
    auto file = pof::PofFile::from_bytes(bytes);
    const auto outcome = pof::read_chunks(file, run.store, run.form, run.desktop);

    const std::size_t expected_messages = outcome == pof::ReadOutcome::Clean ? 0 : 1;
    if (run.desktop.messages.size() != expected_messages) broken("one message per failed read");
    if (run.desktop.busy_depth != 0) broken("busy cursor restored");
    check_texts(run.form.record_list(), "ListView1");
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
    check_windows(run.windows);
    run.form.close_all();
    if (!run.windows.open.empty()) {
        broken("Close All closes", run.windows.open.front().viewer->name());
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
        // The same bytes after the sample model, its windows open: the reset must leave
        // nothing of it for the windows to show.
        static const std::string earlier = testing_pof::sample_model();
        Run after;
        read(after, earlier);
        open_every_viewer(after);
        if (read_and_click_through(after, bytes) != texts) {
            broken("the windows show only what the open file gave");
        }
    }
    return 0;
}
