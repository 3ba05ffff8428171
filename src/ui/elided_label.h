#pragma once
// A one-line value for a long text such as a path: cut in the middle with "…" when it does
// not fit, so its start and its end (the file name) stay whole, or cut part by part when it
// comes in parts, and cut anew on every resize. The whole text is the tooltip.

#include <QLabel>
#include <vector>

#include "view/fit_text.h"

namespace ui {

class ElidedLabel : public QLabel {
    Q_OBJECT

  public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // framed: shown as a value (sunken and selectable); else as a caption.
    explicit ElidedLabel(bool framed, QWidget* parent = nullptr);

    void set_full_text(const QString& text);
    // A text in parts, cut in their order rather than in its middle; none: cut in its middle.
    void set_parts(const std::vector<view::FitPart>& parts);
    const QString& full_text() const { return full_text_; }
    // The width the text may take inside the frame, margin and indent.
    int text_room() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void elide(bool resized = false);

    QString full_text_;
    std::vector<view::FitPart> parts_;
};

}  // namespace ui
