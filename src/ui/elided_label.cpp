#include "ui/elided_label.h"

#include <QResizeEvent>

#include "ui/control_renderer.h"

namespace ui {

ElidedLabel::ElidedLabel(QWidget* parent) : ElidedLabel(true, parent) {}

ElidedLabel::ElidedLabel(bool framed, QWidget* parent) : QLabel(parent) {
    if (framed) {
        style_as_value(this);
    } else {
        setTextFormat(Qt::PlainText);
    }
    // A long path must not widen the window.
    setMinimumWidth(0);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void ElidedLabel::set_full_text(const QString& text) {
    if (text == full_text_ && parts_.empty()) return;
    full_text_ = text;
    parts_.clear();
    setToolTip(text);
    elide();
}

void ElidedLabel::set_parts(const std::vector<view::FitPart>& parts) {
    const QString text = QString::fromStdString(view::whole_text(parts));
    if (text == full_text_ && !parts_.empty()) return;
    full_text_ = text;
    parts_ = parts;
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
    elide(true);
}

void ElidedLabel::elide(bool resized) {
    // Until the label is laid out its width means nothing: it shows the whole text. Qt clears
    // the pending flag only after the first resize event has been handled.
    const bool laid_out = resized || !testAttribute(Qt::WA_PendingResizeEvent);
    const int room = laid_out ? text_room() : QWIDGETSIZE_MAX;
    QString shown;
    if (parts_.empty()) {
        shown = fontMetrics().elidedText(full_text_, Qt::ElideMiddle, room);
    } else {
        const QFontMetrics metrics = fontMetrics();
        shown = QString::fromStdString(view::fit_text(
            parts_,
            [&metrics](std::string_view text) {
                return metrics.horizontalAdvance(
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
            },
            room));
    }
    if (shown != text()) setText(shown);
}

}  // namespace ui
