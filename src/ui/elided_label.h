#pragma once
// A one-line value for a long text such as a path: cut in the middle with "…" when it does
// not fit, so its start and its end (the file name) stay whole, and cut anew on every resize.
// The whole text is the tooltip.

#include <QLabel>

namespace ui {

class ElidedLabel : public QLabel {
    Q_OBJECT

  public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    void set_full_text(const QString& text);
    const QString& full_text() const { return full_text_; }
    // The width the text may take inside the frame, margin and indent.
    int text_room() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void elide();

    QString full_text_;
};

}  // namespace ui
