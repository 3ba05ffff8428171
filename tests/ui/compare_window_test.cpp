// The Compare window in a real window, offscreen: View > Compare With... on the sample and a
// copy whose texture 2 has another name, its tree and filter, a double-click leading to the
// texture window, and Close All.

#include <QLineEdit>
#include <QTest>
#include <fstream>

#include "app_fixture.h"
#include "ship_model.h"
#include "user_input.h"

class CompareWindowTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void compare_with_lists_the_difference_and_leads_to_it();
};

void CompareWindowTest::compare_with_lists_the_difference_and_leads_to_it() {
    testing_ui::App app;
    std::string copy = testing_pof::ship_model();
    copy.replace(copy.find("caps"), 4, "lids");
    const std::string copy_path = app.dir.filePath("copy.pof").toStdString();
    std::ofstream(copy_path, std::ios::binary) << copy;
    app.open_bytes(testing_pof::ship_model());
    app.next_dialog = {view::OpenFileResult::Status::Chosen, copy_path, {}};
    app.action("IDM_COMPARE")->trigger();

    ui::ViewerWindow* window = app.windows.window("frmCompare");
    QVERIFY(window);
    auto* tree = window->findChild<QTreeView*>("tvwDifferences");
    QVERIFY(tree);
    QCOMPARE(tree->model()->rowCount(), 1);  // TXTR, with its one field under it
    const QModelIndex txtr = tree->model()->index(0, 0);
    QCOMPARE(tree->model()->rowCount(txtr), 1);
    QCOMPARE(tree->model()->index(0, 1, txtr).data().toString(), QString("\"caps\""));
    QCOMPARE(tree->model()->index(0, 2, txtr).data().toString(), QString("\"lids\""));

    auto* filter = window->findChild<QLineEdit*>("txtFilter");
    QVERIFY(filter);
    QTest::keyClicks(filter, "gun");
    QTRY_COMPARE(tree->model()->rowCount(), 0);
    filter->selectAll();
    QTest::keyClick(filter, Qt::Key_Backspace);
    QTRY_COMPARE(tree->model()->rowCount(), 1);

    testing_ui::double_click(tree, tree->model()->index(0, 0, tree->model()->index(0, 0)));
    QVERIFY(app.windows.window("frmTXTR"));

    app.action("IDM_CLOSE_ALL")->trigger();
    testing_ui::run_deferred_deletes();
    QVERIFY(!app.windows.find("frmCompare"));
}

QTEST_MAIN(CompareWindowTest)
#include "compare_window_test.moc"
