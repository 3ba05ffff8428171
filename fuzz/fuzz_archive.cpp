// The archive fuzz target: any bytes, listed as a VP archive. The archive window opens on
// them, is filtered and sorted by every column, and up to 16 of its POF models are opened in
// the main window, each read from its own span of the bytes. Besides crashes and sanitizer
// reports it stops when a promise breaks: every text the window shows is UTF-8, a member read
// ends clean with no message or shows exactly one, every path finds a member of that path,
// and no member read passes the member's end.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "archive/vp_archive.h"
#include "promises.h"
#include "shell/frmArchive.h"
#include "shell/frmPOF.h"
#include "view/headless.h"

namespace {

constexpr int kModelsOpened = 16;

using Listed = std::shared_ptr<const archive::Archive>;

void check_window(const view::Viewer& window) {
    fuzzing::check_text(window.title, "frmArchive");
    for (const auto* c : view::controls_of(window.layout())) fuzzing::check_texts(*c, "frmArchive");
}

void check_lookups(const archive::Archive& a) {
    for (const auto& m : a.members()) {
        const archive::Member* found = a.find(a.path_of(m));
        if (!found || !archive::same_path(a.path_of(*found), a.path_of(m))) {
            fuzzing::broken("every path finds a member of that path");
        }
        if (m.cut) continue;
        if (a.read_member(m, 16).size() !=
            static_cast<std::size_t>(std::min<std::int64_t>(16, m.size))) {
            fuzzing::broken("a member's first bytes are there");
        }
    }
    for (const auto* m : a.files_in("")) {
        if (a.path_of(*m).find('/') != std::string_view::npos)
            fuzzing::broken("files_in stays in its folder");
    }
}

// The filter and every column's order, each as a user would choose them.
void filter_and_sort(view::Viewer& window) {
    auto& table = static_cast<view::Table&>(*view::lists_of(window.layout())[0]);
    view::TextInput& filter = *view::inputs_of(window.layout())[0];
    filter.type(".pof");
    for (int column = 0; column < static_cast<int>(table.columns.size()); ++column) {
        table.sort_by(column);
        check_window(window);
        table.sort_by(column);
    }
    filter.type("");
}

void open_models(const Listed& listed) {
    pof::ModelStore store;
    view::HeadlessDesktop desktop;
    view::HeadlessWindows windows;
    shell::frmPOF form(store, desktop, windows);
    form.window_opened();
    shell::frmArchive window(listed, [&](const Listed& a, const archive::Member& m) {
        desktop.messages.clear();
        const pof::ReadOutcome outcome = form.open_member(a, m);
        fuzzing::check_read(outcome, desktop);
        return outcome;
    });
    window.opened();
    check_window(window);
    filter_and_sort(window);
    auto& table = static_cast<view::Table&>(*view::lists_of(window.layout())[0]);
    for (int row = 0, opened = 0;
         row < static_cast<int>(table.row_count()) && opened < kModelsOpened; ++row) {
        if (table.cell(static_cast<std::size_t>(row), 4).rfind("POF model", 0) != 0) continue;
        table.double_click(row);
        ++opened;
    }
    check_window(window);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Listed listed;
    try {
        listed = std::make_shared<const archive::Archive>(
            archive::Archive::from_bytes(bytes, "fuzz.vp"));
    } catch (const pof::OpenError&) {
        return 0;
    } catch (const pof::ReadError&) {
        return 0;
    }
    check_lookups(*listed);
    open_models(listed);
    return 0;
}
