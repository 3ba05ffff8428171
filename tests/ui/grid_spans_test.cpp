// A grid caption over several columns as the generic window lays it out: the subobject
// window's "Bounding Box" stands one row high over the "min" and "max" columns, beside nothing
// of the "Geometric Center" column.

#include <QGridLayout>
#include <QLabel>
#include <QtTest>

#include "app_fixture.h"
#include "every_chunk_model.h"

class GridSpansTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void spanning_caption_stands_over_its_columns();
};

namespace {

QLabel* label(QWidget* window, const char* text) {
    for (QLabel* l : window->findChildren<QLabel*>()) {
        if (l->text() == text) return l;
    }
    return nullptr;
}

struct Cell {
    int row = -1, column = -1, rows = 0, columns = 0;
};

Cell cell_of(QGridLayout* grid, QWidget* widget) {
    Cell c;
    const int index = grid->indexOf(widget);
    if (index >= 0) grid->getItemPosition(index, &c.row, &c.column, &c.rows, &c.columns);
    return c;
}

}  // namespace

void GridSpansTest::spanning_caption_stands_over_its_columns() {
    testing_ui::App app;
    app.open_bytes(testing_pof::every_chunk_model(2117));
    app.action("IDM_SOBJ")->trigger();
    ui::ViewerWindow* w = app.windows.window("frmSOBJ");
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QLabel* span = label(w, "Bounding Box");
    QLabel* min = label(w, "min");
    QLabel* max = label(w, "max");
    QLabel* centre = label(w, "Geometric Center");
    QVERIFY(span && min && max && centre);
    auto* grid = qobject_cast<QGridLayout*>(span->parentWidget()->layout());
    QVERIFY(grid);

    const Cell over = cell_of(grid, span), lo = cell_of(grid, min), hi = cell_of(grid, max);
    QCOMPARE(over.rows, 1);
    QCOMPARE(over.row + 1, lo.row);
    QCOMPARE(hi.row, lo.row);
    QCOMPARE(over.column, lo.column);
    QCOMPARE(over.columns, hi.column - lo.column + 1);
    QVERIFY(!grid->itemAtPosition(over.row, cell_of(grid, centre).column));

    // Where the user sees it: above both column captions, across them, clear of the centre's.
    const QRect at = span->geometry();
    QVERIFY(at.bottom() < min->geometry().top());
    QVERIFY(at.left() <= min->geometry().left() && at.right() >= max->geometry().right());
    QVERIFY(at.left() > centre->geometry().right());
}

QTEST_MAIN(GridSpansTest)
#include "grid_spans_test.moc"
