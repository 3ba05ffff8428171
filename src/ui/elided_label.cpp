#include "ui/elided_label.h"

#include <QResizeEvent>

#include "ui/control_renderer.h"

namespace ui {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
    style_as_value(this);
    // A long path must not widen the window.
    setMinimumWidth(0);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void ElidedLabel::set_full_text(const QString& text) {
    if (text == full_text_) return;
    full_text_ = text;
    setToolTip(text);
    elide();
}

// QLabel indents a framed text by half an "x" unless told otherwise.
int ElidedLabel::text_room() const {
    const int shown_indent =
        indent() >= 0 ? indent()
                      : (frameWidth() > 0 ? fontMetrics().horizontalAdvance('x') / 2 : 0);
    return contentsRect().width() - 2 * margin() - shown_indent;
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::elide() {
    // Until the label is laid out its width means nothing: it shows the whole text.
    const int room = testAttribute(Qt::WA_PendingResizeEvent) ? QWIDGETSIZE_MAX : text_room();
    const QString shown = fontMetrics().elidedText(full_text_, Qt::ElideMiddle, room);
    if (shown != text()) setText(shown);
}

}  // namespace ui
