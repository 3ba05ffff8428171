#include "ui/viewer_window.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include "ui/qt_text.h"
#include "ui/window_copy.h"
#include "view/window_text.h"

namespace ui {

ViewerWindow::ViewerWindow(std::unique_ptr<view::Viewer> viewer)
    : QWidget(nullptr), viewer_(std::move(viewer)), renderer_([this] { sync(); }) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(qt_text(viewer_->name()));
    auto* layout = new QVBoxLayout(this);
    content_ = renderer_.render(viewer_->layout());
    layout->addWidget(content_);
    new WindowCopy(this, [this] { return view::viewer_text(*viewer_); });
    sync();
}

// The widgets read the viewer's controls up to their end, so they go before the viewer.
ViewerWindow::~ViewerWindow() {
    delete content_;
}

void ViewerWindow::sync() {
    setWindowTitle(qt_text(viewer_->title));
    renderer_.sync();
}

bool ViewerWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        viewer_->activated();
        sync();
    }
    return QWidget::event(event);
}

void ViewerWindow::closeEvent(QCloseEvent* event) {
    if (on_closed) on_closed(this);
    QWidget::closeEvent(event);
}

}  // namespace ui
