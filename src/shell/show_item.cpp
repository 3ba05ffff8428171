#include "shell/show_item.h"

namespace shell {

namespace {

std::size_t row_count(const view::Control& list) {
    if (list.kind() == view::Kind::DropDown)
        return static_cast<const view::DropDown&>(list).rows.size();
    return static_cast<const view::Table&>(list).row_count();
}

int selected_row(const view::Control& list) {
    if (list.kind() == view::Kind::DropDown)
        return static_cast<const view::DropDown&>(list).selected;
    return static_cast<const view::Table&>(list).selected;
}

view::Control* list_for(view::Viewer& viewer, const pof::RowChoice& choice) {
    const auto lists = view::lists_of(viewer.layout());
    if (choice.list < 1 || choice.list > static_cast<int>(lists.size())) return nullptr;
    view::Control* list = lists[choice.list - 1];
    if (choice.row < 0 || choice.row >= static_cast<int>(row_count(*list))) return nullptr;
    return list;
}

}  // namespace

void show_item(frmPOF& form, view::Windows& windows, const pof::ItemRef& item) {
    form.show_viewer(item.entry);
    std::string current(pof::kind_of(item.entry).viewer);
    for (const pof::RowChoice& choice : item.choices) {
        view::Viewer* viewer = windows.find(current);
        view::Control* list = viewer ? list_for(*viewer, choice) : nullptr;
        if (!list) return;
        // A list of one row is disabled with that row chosen already.
        if (!list->enabled) {
            if (selected_row(*list) == choice.row && !choice.open) continue;
            return;
        }
        if (list->kind() == view::Kind::DropDown) {
            // A user picking the row already shown changes nothing.
            auto& drop_down = static_cast<view::DropDown&>(*list);
            if (drop_down.selected != choice.row) drop_down.choose(choice.row);
        } else if (!choice.open) {
            static_cast<view::Table&>(*list).click(choice.row);
        } else {
            const std::uint64_t before = windows.fronted();
            static_cast<view::Table&>(*list).double_click(choice.row);
            if (windows.fronted() != before) {
                windows.sync(current);
                current = windows.front();
                if (view::Viewer* opened = windows.find(current)) opened->activated();
            }
        }
        windows.sync(current);
    }
    form.window_changed(current);
}

}  // namespace shell
