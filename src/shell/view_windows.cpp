#include "shell/view_windows.h"

#include "scene/frmModelView.h"
#include "shell/show_item.h"

namespace shell {

void install_view_windows(frmPOF& form, const pof::ModelStore& store, view::Windows& windows) {
    form.make_view_window = [&form, &store,
                             &windows](std::string_view name) -> std::unique_ptr<view::Viewer> {
        if (name != scene::frmModelView::kName) return nullptr;
        auto model_view = std::make_unique<scene::frmModelView>(store);
        model_view->on_show_item = [&form, &windows](const pof::ItemRef& item) {
            show_item(form, windows, item);
        };
        return model_view;
    };
    form.on_window_changed = [&windows](const view::Viewer& changed) {
        if (changed.name() == scene::frmModelView::kName) return;
        auto* model_view = windows.find(scene::frmModelView::kName);
        if (!model_view) return;
        static_cast<scene::frmModelView&>(*model_view).window_changed(changed, windows);
        windows.sync(scene::frmModelView::kName);
    };
}

}  // namespace shell
