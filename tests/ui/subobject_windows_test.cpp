// The subobject viewer and a block viewer in real windows, offscreen: opened from the record
// list, a block row double-clicked, the block decoded once its window is active, and closed
// again when another subobject is chosen.

#include <QLabel>
#include <QTest>

#include "app_fixture.h"
#include "every_chunk_model.h"
#include "user_input.h"

class SubobjectWindowsTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void from_subobject_row_to_block_viewer_and_back();
    void blocks_of_thirty_two_bit_indices_open_their_windows();
};

namespace {

bool shows(QWidget* window, const QString& text) {
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->text() == text) return true;
    }
    return false;
}

}  // namespace

void SubobjectWindowsTest::from_subobject_row_to_block_viewer_and_back() {
    testing_ui::App app;
    app.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&app.window));
    app.open_bytes(testing_pof::every_chunk_model(2117));
    testing_ui::double_click_row(app.list(), 2);  // "OBJ2   1"

    ui::ViewerWindow* sobj = app.windows.window("frmSOBJ");
    QVERIFY(sobj);
    QCOMPARE(sobj->windowTitle(), QString("OBJ2 record data"));
    auto* subobjects = sobj->findChild<QComboBox*>("cboSubObjects");
    QVERIFY(subobjects);
    QCOMPARE(subobjects->currentIndex(), 1);
    auto* blocks = sobj->findChild<QTreeView*>("ListView1");
    QVERIFY(blocks);
    QTRY_VERIFY(blocks->isVisible());
    QCOMPARE(blocks->model()->rowCount(), 6);
    QCOMPARE(blocks->model()->headerData(1, Qt::Horizontal).toString(), QString(" BSP data type "));
    QCOMPARE(blocks->model()->index(2, 1).data().toString(), QString("TMAPPOLY"));

    testing_ui::double_click_row(blocks, 2);
    QPointer<ui::ViewerWindow> polygon = app.windows.window("frmTMAPPOLY");
    QVERIFY(polygon);
    QCOMPARE(polygon->windowTitle(), QString("frmTMAPPOLY"));
    QTRY_VERIFY(shows(polygon, "140"));  // its BSP offset, decoded on activation
    auto* entries = polygon->findChild<QTreeView*>("ListView1");
    QVERIFY(entries);
    QCOMPARE(entries->model()->rowCount(), 3);

    testing_ui::choose(subobjects, 0);
    QVERIFY(!app.windows.find("frmTMAPPOLY"));
    testing_ui::run_deferred_deletes();
    QVERIFY(!polygon);
    QCOMPARE(blocks->model()->rowCount(), 6);
    QCOMPARE(blocks->model()->index(0, 2).data().toString(), QString("84"));
}

// At 2301 subobject 1 holds a SORTNORM2 split at 72 over TMAP2POLY leaves at 112 and 212.
void SubobjectWindowsTest::blocks_of_thirty_two_bit_indices_open_their_windows() {
    testing_ui::App app;
    app.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&app.window));
    app.open_bytes(testing_pof::every_chunk_model(2301));
    testing_ui::double_click_row(app.list(), 2);  // "OBJ2   1"
    ui::ViewerWindow* sobj = app.windows.window("frmSOBJ");
    QVERIFY(sobj);
    QVERIFY(shows(sobj, "Translation Type"));
    auto* blocks = sobj->findChild<QTreeView*>("ListView1");
    QVERIFY(blocks);
    QTRY_VERIFY(blocks->isVisible());
    QCOMPARE(blocks->model()->index(1, 1).data().toString(), QString("SORTNORM2"));
    QCOMPARE(blocks->model()->index(3, 1).data().toString(), QString("TMAP2POLY"));

    testing_ui::double_click_row(blocks, 3);
    ui::ViewerWindow* polygon = app.windows.window("frmTMAP2POLY");
    QVERIFY(polygon);
    QCOMPARE(polygon->windowTitle(), QString("frmTMAP2POLY"));
    QTRY_VERIFY(shows(polygon, "212"));
    auto* entries = polygon->findChild<QTreeView*>("ListView1");
    QVERIFY(entries);
    QCOMPARE(entries->model()->rowCount(), 3);
    QCOMPARE(entries->model()->headerData(2, Qt::Horizontal).toString(), QString("Normal (Inx)"));

    testing_ui::double_click_row(blocks, 1);
    ui::ViewerWindow* split = app.windows.window("frmSORTNORM2");
    QVERIFY(split);
    QCOMPARE(split->windowTitle(), QString("frmSORTNORM2"));
    QVERIFY(shows(split, "Back Offset"));
    QTRY_VERIFY(shows(split, "140"));
}

QTEST_MAIN(SubobjectWindowsTest)
#include "subobject_windows_test.moc"
