// The DOCK window as the user sees it: its nested lists walked through the drop-downs, with
// the enabled states and alignments reaching the widgets.

#include <QComboBox>
#include <QLabel>
#include <QtTest>

#include "app_fixture.h"
#include "every_chunk_model.h"
#include "ui/text_lines_view.h"
#include "user_input.h"

using testing_ui::choose;

class DockingWindowTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void dock_window_walks_its_nested_lists();
};

void DockingWindowTest::dock_window_walks_its_nested_lists() {
    testing_ui::App app;
    // Two docks: the first with spline paths 3 and 7, the second with none.
    app.open_bytes(testing_pof::PofBuilder(2117).chunk("DOCK", testing_pof::dock_body()).str());
    app.action("IDM_DOCK")->trigger();
    ui::ViewerWindow* w = app.windows.window("frmDOCK");
    QVERIFY(w);
    const auto label = [w](const char* text) {
        for (QLabel* l : w->findChildren<QLabel*>())
            if (l->text() == text) return l;
        return static_cast<QLabel*>(nullptr);
    };
    auto* docks = w->findChild<QComboBox*>("cboDocks");
    auto* splines = w->findChild<QComboBox*>("cboSplinePaths");
    auto* points = w->findChild<QComboBox*>("cboPoints");
    auto* path = w->findChild<QLabel*>("lblPathNumber");
    auto* properties = w->findChild<ui::TextLinesView*>("lblProperties");
    QVERIFY(docks && splines && points && path && properties && label("Path #"));
    QCOMPARE(path->alignment(), Qt::AlignCenter);
    QCOMPARE(label("Path #")->alignment(), Qt::AlignCenter);
    QCOMPARE(label("Properties")->alignment(), Qt::AlignRight | Qt::AlignTop);
    QCOMPARE(properties->line(0), QString("abc"));
    QVERIFY(properties->height() >= 3 * properties->fontMetrics().lineSpacing());

    choose(splines, 1);
    QCOMPARE(path->text(), QString("7"));
    choose(docks, 1);
    QCOMPARE(splines->count(), 0);
    QVERIFY(!splines->isEnabled() && !label("Path #")->isEnabled());
    QCOMPARE(path->text(), QString());
    QCOMPARE(points->count(), 1);
    QVERIFY(!points->isEnabled());

    choose(docks, 0);
    QCOMPARE(splines->count(), 2);
    QVERIFY(splines->isEnabled() && points->isEnabled() && label("Path #")->isEnabled());
    QCOMPARE(path->text(), QString("3"));
}

QTEST_MAIN(DockingWindowTest)
#include "docking_window_test.moc"
