// The Model Check in a real window, offscreen: opened with Ctrl+K once a header was read, a
// finding double-clicked, and the gun point window brought forward on that slot and gun.

#include <QHeaderView>
#include <QTest>
#include <fstream>

#include "app_fixture.h"
#include "clean_model.h"
#include "sample_textures.h"
#include "user_input.h"

class ModelCheckWindowTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void ctrl_k_opens_it_and_a_finding_leads_to_its_item();
};

void ModelCheckWindowTest::ctrl_k_opens_it_and_a_finding_leads_to_its_item() {
    testing_ui::App app;
    app.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&app.window));
    QVERIFY(!app.menu("IDM_VIEW")->menuAction()->isEnabled());

    testing_pof::CleanModel m;
    // Slot 1, Gun 1 faces a normal of length 2.
    m.gpnt = testing_pof::Bytes().i32(2).i32(1).vec(0, 0, 0).vec(0, 0, 1).i32(2);
    m.gpnt.vec(0, 0, 0).vec(0, 1, 0).vec(0, 0, 0).vec(0, 2, 0);
    // The texture the model names lies beside it.
    std::ofstream(app.dir.filePath("hull.dds").toStdString(), std::ios::binary)
        << testing_pof::sample_textures()[0].bytes;
    app.open_bytes(m.str());
    QVERIFY(app.menu("IDM_VIEW")->menuAction()->isEnabled());
    QCOMPARE(app.action("IDM_MODEL_CHECK")->shortcut(), QKeySequence("Ctrl+K"));
    QTest::keyClick(&app.window, Qt::Key_K, Qt::ControlModifier);

    ui::ViewerWindow* check = app.windows.window("frmModelCheck");
    QVERIFY(check);
    QCOMPARE(check->windowTitle(), QString("Model Check"));
    auto* findings = check->findChild<QTreeView*>("lvwFindings");
    QVERIFY(findings);
    QTRY_VERIFY(findings->isVisible());
    QCOMPARE(findings->model()->rowCount(), 1);
    QCOMPARE(findings->model()->index(0, 3).data().toString(), QString("normal-length"));
    // The window opens wide enough that the Message column shows its whole text.
    const int message_end =
        findings->header()->sectionViewportPosition(2) + findings->columnWidth(2);
    QVERIFY(message_end <= findings->viewport()->width());

    testing_ui::double_click_row(findings, 0);
    ui::ViewerWindow* gpnt = app.windows.window("frmGPNT");
    QVERIFY(gpnt);
    QCOMPARE(gpnt->findChild<QComboBox*>("cboSlots")->currentIndex(), 1);
    QCOMPARE(gpnt->findChild<QComboBox*>("cboPoints")->currentIndex(), 1);

    app.action("IDM_CLOSE_ALL")->trigger();
    testing_ui::run_deferred_deletes();
    QVERIFY(!app.windows.find("frmModelCheck"));
}

QTEST_MAIN(ModelCheckWindowTest)
#include "model_check_window_test.moc"
