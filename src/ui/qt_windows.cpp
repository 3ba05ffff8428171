#include "ui/qt_windows.h"

#include <optional>

#include "ui/model_view_widget.h"

namespace ui {

namespace {

struct KeptWindow {
    QByteArray geometry;
    std::optional<ModelViewWidget::Kept> view;
};

}  // namespace

QtWindows::~QtWindows() {
    for (auto& [name, window] : open_) {
        if (!window) continue;
        window->on_closed = nullptr;
        delete window.data();
    }
}

ViewerWindow* QtWindows::window(std::string_view name) const {
    const auto found = open_.find(name);
    return found == open_.end() ? nullptr : found->second.data();
}

view::Viewer* QtWindows::find(std::string_view name) {
    ViewerWindow* w = window(name);
    return w ? &w->viewer() : nullptr;
}

view::Viewer& QtWindows::create(std::unique_ptr<view::Viewer> viewer) {
    const std::string name = viewer->name();
    close(name);
    auto* w = new ViewerWindow(std::move(viewer));
    if (w->picture_widget()) w->picture_widget()->set_desktop(desktop);
    w->on_closed = [this](ViewerWindow* closed) { forget(closed); };
    w->on_changed = [this](ViewerWindow* changed) {
        if (on_window_changed) on_window_changed(changed->viewer().name());
    };
    open_[name] = w;
    came_forward(name);
    if (const auto found = reopen_.find(name); found != reopen_.end()) {
        const auto& kept = *static_cast<const KeptWindow*>(found->second.get());
        w->restoreGeometry(kept.geometry);
        if (kept.view && w->picture_widget()) w->picture_widget()->restore(*kept.view);
        reopen_.erase(found);
    }
    w->show();
    return w->viewer();
}

void QtWindows::bring_forward(std::string_view name) {
    if (ViewerWindow* w = window(name)) {
        came_forward(name);
        w->show();
        w->raise();
        w->activateWindow();
    }
}

void QtWindows::set_normal_state(std::string_view name) {
    ViewerWindow* w = window(name);
    if (!w) return;
    const Qt::WindowStates state = w->windowState();
    if (!(state & (Qt::WindowMinimized | Qt::WindowMaximized))) return;
    w->setWindowState(state & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    w->raise();
    w->activateWindow();
}

void QtWindows::sync(std::string_view name) {
    if (ViewerWindow* w = window(name)) w->sync();
}

void QtWindows::repaint(std::string_view name) {
    if (ViewerWindow* w = window(name)) {
        w->sync();
        w->repaint();
    }
}

void QtWindows::close(std::string_view name) {
    const auto found = open_.find(name);
    if (found == open_.end()) return;
    QPointer<ViewerWindow> w = found->second;
    open_.erase(found);
    if (w) w->close();
}

view::Windows::Kept QtWindows::kept(std::string_view name) {
    ViewerWindow* w = window(name);
    if (!w) return nullptr;
    auto kept = std::make_shared<KeptWindow>();
    kept->geometry = w->saveGeometry();
    if (w->picture_widget()) kept->view = w->picture_widget()->kept();
    return kept;
}

void QtWindows::reopen_as(std::string_view name, const Kept& kept) {
    const auto found = reopen_.find(name);
    if (found != reopen_.end()) reopen_.erase(found);
    if (kept) reopen_.emplace(std::string(name), kept);
}

// Closed by the user: the name is free again, unless a newer window already took it.
void QtWindows::forget(ViewerWindow* closed) {
    const auto found = open_.find(closed->viewer().name());
    if (found != open_.end() && found->second == closed) open_.erase(found);
}

}  // namespace ui
