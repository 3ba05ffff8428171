#pragma once
// The one window class for every record and block viewer: it renders the viewer's layout,
// forwards the user's choices and window activation to it, and syncs after each of them.
// Ctrl+C and its context menu copy it as text.

#include <QWidget>
#include <functional>
#include <memory>

#include "ui/control_renderer.h"
#include "view/picture.h"
#include "view/viewer.h"

namespace ui {

class ViewerWindow : public QWidget {
    Q_OBJECT

  public:
    // A top-level window without owner, deleted when closed.
    explicit ViewerWindow(std::unique_ptr<view::Viewer> viewer);
    ~ViewerWindow() override;

    view::Viewer& viewer() { return *viewer_; }
    // Title and every widget from the viewer's controls.
    void sync();

    // Told when the window closes, by the user or in code.
    std::function<void(ViewerWindow*)> on_closed;
    // Told after each of the user's choices in the window (its controls or its picture).
    std::function<void(ViewerWindow*)> on_changed;
    // The 3-D view of a viewer that has a picture; nullptr otherwise or without OpenGL.
    class ModelViewWidget* picture_widget() const {
        return picture_;
    }

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QWidget* picture_view(view::PictureSource& source);
    QWidget* picture_window(view::PictureSource& source, const view::PictureSource::Parts& parts);
    QWidget* side_panel(view::Control& panel);
    void fit_short_lists();
    void changed();

    std::unique_ptr<view::Viewer> viewer_;
    ControlRenderer renderer_;
    QWidget* content_;
    class ModelViewWidget* picture_ = nullptr;
    // With a picture laid out in parts: the status line across the window's foot and the
    // panel's lists, which show all their rows when they are short.
    class ElidedLabel* status_ = nullptr;
    const view::Value* status_value_ = nullptr;
    QWidget* panel_ = nullptr;
};

}  // namespace ui
