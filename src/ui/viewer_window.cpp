#include "ui/viewer_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QToolBar>
#include <QVBoxLayout>

#include "ui/model_view_widget.h"

#include "ui/qt_text.h"
#include "ui/window_copy.h"
#include "view/window_text.h"

namespace ui {

namespace {

// Whether this display gives an OpenGL context at all.
bool opengl_available() {
    QOpenGLContext context;
    if (!context.create()) return false;
    QOffscreenSurface surface;
    surface.create();
    const bool current = context.makeCurrent(&surface);
    if (current) context.doneCurrent();
    return current;
}

}  // namespace

ViewerWindow::ViewerWindow(std::unique_ptr<view::Viewer> viewer)
    : QWidget(nullptr), viewer_(std::move(viewer)), renderer_([this] { changed(); }) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(qt_text(viewer_->name()));
    content_ = renderer_.render(viewer_->layout());
    auto* source = dynamic_cast<view::PictureSource*>(viewer_.get());
    if (source) {
        auto* layout = new QHBoxLayout(this);
        layout->addWidget(content_);
        layout->addWidget(picture_view(*source), 1);
        resize(1100, 720);
    } else {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(content_);
    }
    new WindowCopy(this, [this] { return view::viewer_text(*viewer_); });
    sync();
    // Beside a picture the controls keep the width they open with: a longer text in them
    // (the item under the pointer) is cut off rather than moving the picture under the pointer.
    if (source) content_->setFixedWidth(content_->sizeHint().width());
}

QWidget* ViewerWindow::picture_view(view::PictureSource& source) {
    if (!opengl_available()) {
        auto* note = new QLabel(QStringLiteral("No OpenGL here: the 3-D view cannot be drawn."));
        note->setObjectName(QStringLiteral("lblNoOpenGL"));
        note->setAlignment(Qt::AlignCenter);
        return note;
    }
    picture_ = new ModelViewWidget(source);
    picture_->on_changed = [this] { changed(); };
    // The picture under its toolbar.
    auto* bar = new QToolBar;
    bar->setObjectName(QStringLiteral("tbrPicture"));
    bar->addAction(picture_->save_action());
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(bar);
    column->addWidget(picture_, 1);
    return box;
}

void ViewerWindow::changed() {
    sync();
    if (on_changed) on_changed(this);
}

// The widgets read the viewer's controls up to their end, so they go before the viewer.
ViewerWindow::~ViewerWindow() {
    delete content_;
}

void ViewerWindow::sync() {
    setWindowTitle(qt_text(viewer_->title));
    renderer_.sync();
    if (picture_) picture_->sync();
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
