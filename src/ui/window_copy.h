#pragma once
// Copying a window as text, for a top-level window of any kind: the context-menu entry
// "Copy Window as Text" puts the whole window on the clipboard, in the text form pofdump
// prints; so does Ctrl+C, unless a value has selected text, which then copies just itself.

#include <QObject>
#include <QPoint>
#include <functional>
#include <string>

class QAction;
class QLabel;
class QWidget;

namespace ui {

class TextLinesView;

class WindowCopy : public QObject {
    Q_OBJECT

  public:
    // text gives the window's whole text when asked. Call it once the window's widgets are
    // built: the values found then get the entry in their own context menu.
    WindowCopy(QWidget* window, std::function<std::string()> text);

    // "Copy Window as Text", the entry every context menu of the window carries.
    QAction* copy_window_action() const { return copy_window_; }

  private:
    void copy_window() const;
    void copy_shortcut() const;
    void window_menu(QPoint at) const;
    void value_menu(QLabel* value, QPoint at) const;
    void text_menu(TextLinesView* text, QPoint at) const;

    QWidget* window_;
    std::function<std::string()> text_;
    QAction* copy_window_;
};

}  // namespace ui
