#include "click_through.h"

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>

#include "pof/chunk_kinds.h"
#include "scene/frmModelView.h"
#include "scene/obj_export.h"
#include "view/viewer.h"

namespace fuzzing {

namespace {

// A choice may close windows (another subobject closes the block viewers), so the viewer is
// looked up again after every click instead of being held.
bool still_open(view::HeadlessWindows& windows, const std::string& name, const view::Viewer* v) {
    return windows.find(name) == v;
}

// A double-click may bring a block viewer forward or change the current block under one
// that stays open (an "EOF" row, say); every open window is activated, as a user switching
// to it would.
void activate_all(view::HeadlessWindows& windows) {
    for (auto& w : windows.open) w.viewer->activated();
}

void choose_rows(view::HeadlessWindows& windows, const std::string& name, int rows_per_list) {
    view::Viewer* viewer = windows.find(name);
    if (!viewer) return;
    for (view::Control* list : view::lists_of(viewer->layout())) {
        for (int i = 0; i < rows_per_list; ++i) {
            if (list->kind() == view::Kind::DropDown) {
                auto& drop_down = static_cast<view::DropDown&>(*list);
                if (i >= static_cast<int>(drop_down.rows.size())) break;
                drop_down.choose(i);
            } else {
                auto& table = static_cast<view::Table&>(*list);
                if (!table.valid(i)) break;
                table.click(i);
                if (!still_open(windows, name, viewer)) return;
                table.double_click(i);
                activate_all(windows);
            }
            if (!still_open(windows, name, viewer)) return;
        }
    }
}

// Works every window that is open and not yet worked; working one may open others.
void work_open_windows(view::HeadlessWindows& windows, std::set<std::string>& worked,
                       int rows_per_list) {
    for (;;) {
        const auto next = std::find_if(windows.open.begin(), windows.open.end(),
                                       [&](auto& w) { return !worked.contains(w.viewer->name()); });
        if (next == windows.open.end()) return;
        const std::string name = next->viewer->name();
        worked.insert(name);
        next->viewer->activated();
        choose_rows(windows, name, rows_per_list);
    }
}

// The Model View at every detail level, its OBJ text, and each of its items shown in the
// windows as a click on it would.
void model_view(shell::frmPOF& form, view::HeadlessWindows& windows) {
    if (!form.reachable("IDM_MODEL_VIEW")) return;
    form.menu_command("IDM_MODEL_VIEW");
    auto* view = static_cast<scene::frmModelView*>(windows.find(scene::frmModelView::kName));
    if (!view) return;
    for (std::size_t row = 0; row < view->levels.rows.size(); ++row) {
        view->levels.choose(static_cast<int>(row));
        const auto files = scene::obj_files(view->scene(), view->texture_record(), "model.mtl");
        if (files.obj.empty()) std::abort();  // it always holds its header lines
    }
    for (int id = 0; id < view->item_count() && id < 64; ++id) {
        view->item_clicked(id);
        view = static_cast<scene::frmModelView*>(windows.find(scene::frmModelView::kName));
        if (!view) return;
    }
}

}  // namespace

void click_through(shell::frmPOF& form, view::HeadlessWindows& windows, int rows_per_list) {
    std::set<std::string> worked;
    for (const auto& entry : pof::chunk_kinds()) {
        if (!form.reachable(entry.menu_name)) continue;
        form.menu_command(entry.menu_name);
        work_open_windows(windows, worked, rows_per_list);
    }
    // The Model View builds its scene and the Model Check runs the check; double-clicking their
    // rows toggles markers and shows the findings' items.
    for (const auto& window : pof::kViewWindows) {
        if (!form.reachable(window.menu_name)) continue;
        form.menu_command(window.menu_name);
        work_open_windows(windows, worked, rows_per_list);
    }
    model_view(form, windows);
    auto& list = form.record_list();
    for (int i = 0; i < rows_per_list && list.valid(i); ++i) list.click(i);
    for (int i = 0; i < rows_per_list && list.valid(i); ++i) {
        list.double_click(i);
        work_open_windows(windows, worked, rows_per_list);
    }
}

}  // namespace fuzzing
