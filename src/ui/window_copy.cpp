#include "ui/window_copy.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>

#include "ui/qt_text.h"
#include "ui/text_lines_view.h"

namespace ui {

namespace {

bool selectable(const QLabel* label) {
    return label->textInteractionFlags().testFlag(Qt::TextSelectableByMouse);
}

}  // namespace

WindowCopy::WindowCopy(QWidget* window, std::function<std::string()> text)
    : QObject(window), window_(window), text_(std::move(text)) {
    copy_window_ = new QAction(QStringLiteral("Copy Window as Text"), this);
    copy_window_->setObjectName(QStringLiteral("copyWindowAsText"));
    connect(copy_window_, &QAction::triggered, this, &WindowCopy::copy_window);

    // A window shortcut: lists and combo boxes with the focus leave Ctrl+C to it.
    auto* shortcut = new QAction(this);
    shortcut->setShortcut(QKeySequence::Copy);
    shortcut->setShortcutContext(Qt::WindowShortcut);
    connect(shortcut, &QAction::triggered, this, &WindowCopy::copy_shortcut);
    window->addAction(shortcut);

    window->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(window, &QWidget::customContextMenuRequested, this, &WindowCopy::window_menu);
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (!selectable(label)) continue;
        label->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(label, &QWidget::customContextMenuRequested, this,
                [this, label](QPoint at) { value_menu(label, at); });
    }
    for (TextLinesView* text : window->findChildren<TextLinesView*>()) {
        text->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(text, &QWidget::customContextMenuRequested, this,
                [this, text](QPoint at) { text_menu(text, at); });
    }
}

void WindowCopy::copy_window() const {
    QGuiApplication::clipboard()->setText(qt_text(text_()));
}

void WindowCopy::copy_shortcut() const {
    for (const QLabel* label : window_->findChildren<QLabel*>()) {
        if (selectable(label) && label->hasSelectedText()) {
            QGuiApplication::clipboard()->setText(label->selectedText());
            return;
        }
    }
    for (const TextLinesView* text : window_->findChildren<TextLinesView*>()) {
        const QString selected = text->selected_text();
        if (!selected.isEmpty()) {
            QGuiApplication::clipboard()->setText(selected);
            return;
        }
    }
    copy_window();
}

void WindowCopy::window_menu(QPoint at) const {
    QMenu menu;
    menu.addAction(copy_window_);
    menu.exec(window_->mapToGlobal(at));
}

// A value's own entries (copy its selection, select all of it), then the window's entry.
void WindowCopy::value_menu(QLabel* value, QPoint at) const {
    QMenu menu;
    QAction* copy = menu.addAction(QStringLiteral("&Copy"), [value] {
        QGuiApplication::clipboard()->setText(value->selectedText());
    });
    copy->setEnabled(value->hasSelectedText());
    menu.addAction(QStringLiteral("Select &All"),
                   [value] { value->setSelection(0, static_cast<int>(value->text().size())); });
    menu.addSeparator();
    menu.addAction(copy_window_);
    menu.exec(value->mapToGlobal(at));
}

// A multi-line text's own entries (copy its selected lines, select all), then the window's.
void WindowCopy::text_menu(TextLinesView* text, QPoint at) const {
    QMenu menu;
    const QString selected = text->selected_text();
    QAction* copy = menu.addAction(QStringLiteral("&Copy"),
                                   [selected] { QGuiApplication::clipboard()->setText(selected); });
    copy->setEnabled(!selected.isEmpty());
    menu.addAction(QStringLiteral("Select &All"), [text] { text->selectAll(); });
    menu.addSeparator();
    menu.addAction(copy_window_);
    menu.exec(text->viewport()->mapToGlobal(at));
}

}  // namespace ui
