// A turret window opened from the Window menu and browsed with its drop-down lists.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QtTest>

#include "app_fixture.h"
#include "every_chunk_model.h"
#include "user_input.h"

using testing_ui::App;
using testing_ui::choose;

namespace {

QStringList group_titles(QWidget* window) {
    QStringList titles;
    for (QGroupBox* g : window->findChildren<QGroupBox*>()) titles << g->title();
    return titles;
}

}  // namespace

class WeaponsWindowTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void turret_window_follows_the_chosen_bank();
};

void WeaponsWindowTest::turret_window_follows_the_chosen_bank() {
    App app;
    // TGUN: banks of 2 and 0 firing points.
    app.open_bytes(
        testing_pof::PofBuilder(2117).chunk("TGUN", testing_pof::turret_body({2, 0})).str());
    app.action("IDM_TGUN")->trigger();
    ui::ViewerWindow* window = app.windows.window("frmTGUN");
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QString("TGUN record"));
    auto* banks = window->findChild<QComboBox*>("cboBanks");
    auto* points = window->findChild<QComboBox*>("cboFiringPoints");
    QVERIFY(banks && points);
    QCOMPARE(banks->count(), 2);
    QCOMPARE(banks->currentText(), QString("Bank 0"));
    QCOMPARE(points->count(), 2);
    QVERIFY(points->isEnabled());
    QVERIFY(group_titles(window).contains("Bank 0 data"));
    QLabel* position = nullptr;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->text() == "Position") position = label;
    }
    QVERIFY(position && position->isEnabled());

    choose(banks, 1);
    QVERIFY(group_titles(window).contains("Bank 1 data"));
    QCOMPARE(points->count(), 0);
    QVERIFY(!points->isEnabled());
    QVERIFY(!position->isEnabled());

    choose(banks, 0);
    QCOMPARE(points->currentText(), QString("Point 0"));
    QVERIFY(points->isEnabled());
    QVERIFY(position->isEnabled());
}

QTEST_MAIN(WeaponsWindowTest)
#include "weapons_window_test.moc"
