#pragma once
// What a user does with the mouse, as the widgets receive it.

#include <QComboBox>
#include <QTest>
#include <QTreeView>

namespace testing_ui {

inline QPoint row_centre(QTreeView* list, int row) {
    return list->visualRect(list->model()->index(row, 0)).center();
}

inline void click_row(QTreeView* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row_centre(list, row));
}

// Press and release, then the second press that the system reports as a double-click.
inline void double_click_row(QTreeView* list, int row) {
    const QPoint at = row_centre(list, row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
}

// A row picked from the open list: the current row changes, then activated() tells of it.
inline void choose(QComboBox* combo, int row) {
    combo->setCurrentIndex(row);
    Q_EMIT combo->activated(row);
}

}  // namespace testing_ui
