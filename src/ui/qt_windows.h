#pragma once
// The viewer windows on the desktop, at most one per viewer name.

#include <QPointer>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "ui/viewer_window.h"
#include "view/desktop.h"

namespace ui {

class QtWindows : public view::Windows {
  public:
    QtWindows() = default;
    ~QtWindows() override;
    QtWindows(const QtWindows&) = delete;
    QtWindows& operator=(const QtWindows&) = delete;

    view::Viewer* find(std::string_view name) override;
    view::Viewer& create(std::unique_ptr<view::Viewer> viewer) override;
    void bring_forward(std::string_view name) override;
    void set_normal_state(std::string_view name) override;
    void sync(std::string_view name) override;
    void repaint(std::string_view name) override;
    void close(std::string_view name) override;
    // The window's geometry and, for the Model View, its view.
    Kept kept(std::string_view name) override;
    void reopen_as(std::string_view name, const Kept& kept) override;

    // Asks for the file and size of a saved picture; none: nothing is saved.
    view::Desktop* desktop = nullptr;
    // Told after a user's choice in any window, with that window's viewer name.
    std::function<void(std::string_view)> on_window_changed;

    // The open window of that viewer, or nullptr.
    ViewerWindow* window(std::string_view name) const;

  private:
    void forget(ViewerWindow* closed);

    std::map<std::string, QPointer<ViewerWindow>, std::less<>> open_;
    std::map<std::string, Kept, std::less<>> reopen_;  // for the next window of that name
};

}  // namespace ui
