#include "ui/viewer_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/elided_label.h"
#include "ui/model_view_widget.h"
#include "ui/table_view.h"

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

// A picture window's first size: 1100 x 720, within the screen's free room (800 x 600 fits).
QSize picture_window_size(const QWidget& window) {
    const QScreen* where = window.screen();
    if (!where) return {1100, 720};
    return QSize(1100, 720).boundedTo(where->availableGeometry().size());
}

}  // namespace

ViewerWindow::ViewerWindow(std::unique_ptr<view::Viewer> viewer)
    : QWidget(nullptr), viewer_(std::move(viewer)), renderer_([this] { changed(); }) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(qt_text(viewer_->name()));
    auto* source = dynamic_cast<view::PictureSource*>(viewer_.get());
    const view::PictureSource::Parts parts =
        source ? source->parts() : view::PictureSource::Parts{};
    if (parts.panel) {
        content_ = picture_window(*source, parts);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(content_);
        resize(picture_window_size(*this));
        new WindowCopy(this, [this] { return view::viewer_text(*viewer_); });
        sync();
        return;
    }
    content_ = renderer_.render(viewer_->layout());
    if (source) {
        auto* layout = new QHBoxLayout(this);
        layout->addWidget(content_);
        layout->addWidget(picture_view(*source), 1);
        resize(picture_window_size(*this));
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

// The picture with a toolbar over it, a panel beside it that scrolls when the window is short,
// and a status line across the window's whole width.
QWidget* ViewerWindow::picture_window(view::PictureSource& source,
                                      const view::PictureSource::Parts& parts) {
    auto* whole = new QWidget;
    auto* column = new QVBoxLayout(whole);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* toolbar = new QToolBar;
    toolbar->setObjectName(QStringLiteral("tbPicture"));
    if (parts.toolbar) toolbar->addWidget(renderer_.render(*parts.toolbar));
    column->addWidget(toolbar);
    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(6, 4, 6, 4);
    middle->addWidget(side_panel(*parts.panel));
    QWidget* picture = picture_view(source);
    middle->addWidget(picture, 1);
    column->addLayout(middle, 1);
    if (picture_) {
        toolbar->addSeparator();
        toolbar->addActions(picture_->toolbar_actions());
    }
    if (parts.status) {
        status_ = new ElidedLabel;
        status_->setObjectName(qt_text(parts.status->name));
        status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
        status_->setFrameShape(QFrame::StyledPanel);
        status_->setContentsMargins(4, 1, 4, 1);
        status_value_ = parts.status;
        column->addWidget(status_);
    }
    return whole;
}

QWidget* ViewerWindow::side_panel(view::Control& panel) {
    panel_ = renderer_.render(panel);
    // The panel's room left over stays below it, not inside its last box.
    auto* holder = new QWidget;
    auto* column = new QVBoxLayout(holder);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(panel_);
    column->addStretch(1);
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("scrPanel"));
    scroll->setWidget(holder);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFrameShape(QFrame::NoFrame);
    const int bar = scroll->verticalScrollBar()->sizeHint().width();
    scroll->setFixedWidth(std::min(panel_->sizeHint().width(), 340) + bar);
    return scroll;
}

// A list of a few rows shows them all, so the panel scrolls as one rather than each list
// behind a scroll bar of its own; a long list keeps room for about ten rows.
void ViewerWindow::fit_short_lists() {
    constexpr int kShortList = 24, kLongListRows = 10;
    for (TableView* list : panel_->findChildren<TableView*>()) {
        const int rows = list->table_model().shown_rows();
        const int row_height = rows > 0 ? std::max(list->sizeHintForRow(0), 1) : 0;
        const int shown = std::min(rows, rows <= kShortList ? rows : kLongListRows);
        const int height =
            list->header()->sizeHint().height() + shown * row_height + 2 * list->frameWidth() + 2;
        list->setMinimumHeight(std::max(height, 48));
        list->setMaximumHeight(rows <= kShortList ? std::max(height, 48) : QWIDGETSIZE_MAX);
    }
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
    return picture_;
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
    if (status_) {
        status_->set_full_text(qt_text(status_value_->text));
    }
    if (panel_) fit_short_lists();
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
