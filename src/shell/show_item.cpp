#include "shell/show_item.h"

#include <string>

namespace shell {

namespace {

// Makes one choice on window; returns the window current after it.
std::string choose(view::Windows& windows, view::Viewer& window, const pof::RowChoice& choice) {
    std::string current = window.name();
    const auto lists = view::lists_of(window.layout());
    if (choice.list < 1 || choice.list > static_cast<int>(lists.size())) return {};
    view::Control& list = *lists[choice.list - 1];
    if (list.kind() == view::Kind::DropDown) {
        auto& drop_down = static_cast<view::DropDown&>(list);
        if (choice.row >= static_cast<int>(drop_down.rows.size())) return {};
        // A user picking the row already shown changes nothing.
        if (drop_down.selected != choice.row) drop_down.choose(choice.row);
    } else {
        auto& table = static_cast<view::Table&>(list);
        if (!table.valid(choice.row)) return {};
        if (choice.open) {
            table.double_click(choice.row);
            const std::string front = windows.front();
            if (!front.empty() && front != current) current = front;
        } else {
            table.click(choice.row);
        }
    }
    windows.sync(window.name());
    return current;
}

}  // namespace

void show_item(frmPOF& form, view::Windows& windows, const pof::ItemRef& item) {
    form.show_viewer(item.entry);
    std::string current(pof::info(item.entry).viewer);
    for (const pof::RowChoice& choice : item.choices) {
        view::Viewer* window = windows.find(current);
        if (!window) return;
        current = choose(windows, *window, choice);
        if (current.empty()) return;
        if (view::Viewer* now = windows.find(current); now && now != window) {
            now->activated();
            windows.sync(current);
        }
    }
    form.window_changed(current);
}

}  // namespace shell
