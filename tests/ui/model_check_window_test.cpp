// The Model Check in a real window, offscreen: opened with Ctrl+K once a header was read, a
// finding double-clicked, and the gun point window brought forward on that slot and gun.

#include <QBrush>
#include <QHeaderView>
#include <QIcon>
#include <QScreen>
#include <QTest>
#include <fstream>

#include "app_fixture.h"
#include "clean_model.h"
#include "every_chunk_model.h"
#include "sample_textures.h"
#include "user_input.h"

class ModelCheckWindowTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void ctrl_k_opens_it_and_a_finding_leads_to_its_item();
};

void ModelCheckWindowTest::ctrl_k_opens_it_and_a_finding_leads_to_its_item() {
    testing_ui::App app;
    QVERIFY(testing_ui::show_active(app.window));  // Ctrl+K is the window's shortcut
    QVERIFY(!app.menu("IDM_VIEW")->menuAction()->isEnabled());

    testing_pof::CleanModel m;
    // Slot 1, Gun 1 faces a normal of length 2.
    m.gpnt = testing_pof::Bytes().i32(2).i32(1).vec(0, 0, 0).vec(0, 0, 1).i32(2);
    m.gpnt.vec(0, 0, 0).vec(0, 1, 0).vec(0, 0, 0).vec(0, 2, 0);
    // A texture no polygon uses, with a name far wider than any screen.
    const std::string long_name(400, 'w');
    m.txtr = testing_pof::texture_body({"hull", long_name});
    // The texture the model names lies beside it.
    std::ofstream(app.dir.filePath("hull.dds").toStdString(), std::ios::binary)
        << testing_pof::sample_textures()[0].bytes;
    app.open_bytes(m.str());
    QVERIFY(app.menu("IDM_VIEW")->menuAction()->isEnabled());
    QCOMPARE(app.action("IDM_MODEL_CHECK")->shortcut(), QKeySequence("Ctrl+K"));
    QTest::keyClick(&app.window, Qt::Key_K, Qt::ControlModifier);

    ui::ViewerWindow* check = app.windows.window("frmModelCheck");
    QVERIFY(check);
    QCOMPARE(check->windowTitle(), QString("Model Check \u2014 model.pof"));
    auto* findings = check->findChild<QTreeView*>("lvwFindings");
    QVERIFY(findings);
    QTRY_VERIFY(findings->isVisible());
    // The long name's notes (unused, and found nowhere), then the gun's warning.
    QCOMPARE(findings->model()->rowCount(), 3);
    const QAbstractItemModel& rows = *findings->model();
    QCOMPARE(rows.index(2, 4).data().toString(), QString("normal-length"));
    int unused = 0;
    if (rows.index(unused, 4).data().toString() != "texture-unused") unused = 1;
    QCOMPARE(rows.index(unused, 4).data().toString(), QString("texture-unused"));
    // Each severity has its mark and its colour, in the Severity column only.
    for (int row : {0, 1, 2}) {
        QVERIFY(!rows.index(row, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
        QVERIFY(rows.index(row, 0).data(Qt::ForegroundRole).canConvert<QBrush>());
        QVERIFY(!rows.index(row, 3).data(Qt::DecorationRole).isValid());
    }
    QVERIFY(rows.index(0, 0).data(Qt::ForegroundRole).value<QBrush>() !=
            rows.index(2, 0).data(Qt::ForegroundRole).value<QBrush>());
    // The window opens at most about two thirds of the screen wide, the long message cut
    // short and whole in its tooltip, the Code column in full view.
    const int screen_width = check->screen()->availableGeometry().width();
    QVERIFY2(check->width() <= screen_width * 2 / 3 + 8,
             qPrintable(QString::number(check->width())));
    const QString message = rows.index(unused, 3).data().toString();
    QVERIFY(message.contains(QString::fromStdString(long_name)));
    QCOMPARE(rows.index(unused, 3).data(Qt::ToolTipRole).toString(), message);
    QVERIFY(findings->columnWidth(3) < findings->fontMetrics().horizontalAdvance(message));
    const int code_end = findings->header()->sectionViewportPosition(4) + findings->columnWidth(4);
    QVERIFY(code_end <= findings->viewport()->width());
    QVERIFY(findings->columnWidth(4) >=
            findings->fontMetrics().horizontalAdvance(QStringLiteral("texture-unused")));

    testing_ui::double_click_row(findings, 2);
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
