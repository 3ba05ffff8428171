#include "shell/main_window_text.h"

#include <sstream>

#include "view/window_text.h"

namespace shell {

namespace {

// A menu, then one indented line per entry; captions keep their access-key ampersands.
void menu_lines(view::TextWriter& w, const Menu& menu) {
    w.line("menu " + menu.name + " \"" + menu.caption + "\"" + view::disabled_mark(menu.enabled));
    for (const auto& e : menu.entries) {
        if (e.separator()) {
            w.line("  ---");
        } else {
            const std::string keys = e.shortcut.empty() ? "" : " " + e.shortcut;
            w.line("  " + e.name + " \"" + e.caption + "\"" + keys +
                   view::disabled_mark(e.enabled));
        }
    }
}

}  // namespace

void write_main_window_text(const frmPOF& form, std::ostream& out) {
    view::TextWriter w(out);
    w.line(view::title_line("frmPOF", form.title()));
    w.control(form.file_label());
    w.control(form.record_list());
    for (const auto& menu : form.menus()) menu_lines(w, menu);
}

std::string main_window_text(const frmPOF& form) {
    std::ostringstream out;
    write_main_window_text(form, out);
    return std::move(out).str();
}

}  // namespace shell
