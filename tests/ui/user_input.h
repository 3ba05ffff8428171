#pragma once
// What a user does with the mouse and the keys, as the widgets receive it.

#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QTimer>
#include <QTreeView>

namespace testing_ui {

// A window's shortcuts take keys only while it is the active window, and the window system
// makes it so some time after it shows (under Xvfb with no window manager, only when asked):
// shows the window, asks, and waits until it is. False when it never became active.
[[nodiscard]] inline bool show_active(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// A menu runs an event loop of its own while it is up: closes the next one as soon as it shows.
inline void close_next_popup() {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll] {
        if (QWidget* menu = QApplication::activePopupWidget()) {
            menu->close();
            poll->deleteLater();
        }
    });
    poll->start(0);
}

inline QPoint row_centre(QTreeView* list, int row) {
    return list->visualRect(list->model()->index(row, 0)).center();
}

inline void click_row(QTreeView* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row_centre(list, row));
}

// Press and release, then the second press that the system reports as a double-click.
inline void double_click(QTreeView* list, const QModelIndex& index) {
    const QPoint at = list->visualRect(index).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
}

inline void double_click_row(QTreeView* list, int row) {
    double_click(list, list->model()->index(row, 0));
}

// A row picked from the open list: the current row changes, then activated() tells of it.
inline void choose(QComboBox* combo, int row) {
    combo->setCurrentIndex(row);
    Q_EMIT combo->activated(row);
}

}  // namespace testing_ui
