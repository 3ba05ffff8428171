// The archive window on screen: the generic window renders its filter as a line edit that
// narrows the list at each keystroke, its columns sort on a click on their header, and Enter
// on a model opens it in the main window while the archive window stays.

#include <QHeaderView>
#include <QLineEdit>
#include <QtTest>

#include "app_fixture.h"
#include "sample_archive.h"
#include "ui/elided_label.h"
#include "ui/viewer_window.h"
#include "user_input.h"

using testing_ui::App;

class ArchiveWindowTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void typing_in_the_filter_narrows_the_list();
    void a_click_on_a_header_sorts_and_a_second_reverses();
    void enter_on_a_model_opens_it_in_the_main_window_and_f5_reads_it_again();
};

namespace {

ui::ViewerWindow* archive_window(App& app) {
    return app.windows.window("frmArchive");
}

QTreeView* files(App& app) {
    return archive_window(app)->findChild<QTreeView*>("lvwFiles");
}

QString cell(QTreeView* list, int row, int column) {
    return list->model()->index(row, column).data().toString();
}

}  // namespace

void ArchiveWindowTest::typing_in_the_filter_narrows_the_list() {
    App app;
    app.open_bytes(testing_pof::sample_archive(), "mod.vp");
    QVERIFY(archive_window(app));
    QCOMPARE(archive_window(app)->windowTitle(), QString("mod.vp"));
    auto* filter = archive_window(app)->findChild<QLineEdit*>("txtFilter");
    QVERIFY(filter);
    QCOMPARE(files(app)->model()->rowCount(), 10);
    QTest::keyClicks(filter, "mod");
    QCOMPARE(files(app)->model()->rowCount(), 2);
    QTest::keyClicks(filter, "els/e");
    QCOMPARE(files(app)->model()->rowCount(), 1);
    QCOMPARE(cell(files(app), 0, 1), QString("data/models/extra.pof"));
    QCOMPARE(filter->text(), QString("models/e"));
    filter->clear();
    Q_EMIT filter->textEdited(QString());
    QCOMPARE(files(app)->model()->rowCount(), 10);
    QVERIFY(app.messages.empty());
}

void ArchiveWindowTest::a_click_on_a_header_sorts_and_a_second_reverses() {
    App app;
    app.open_bytes(testing_pof::sample_archive(), "mod.vp");
    QHeaderView* header = files(app)->header();
    QVERIFY(header->sectionsClickable());
    QCOMPARE(header->sortIndicatorSection(), 0);
    const auto click_header = [&](int section) {
        const int x = header->sectionViewportPosition(section) + header->sectionSize(section) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    };
    click_header(2);
    QCOMPARE(header->sortIndicatorSection(), 2);
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    QCOMPARE(cell(files(app), 0, 1), QString("data/tables/ships.tbl"));
    click_header(2);
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(cell(files(app), 0, 1), QString("data/maps/turret.dds"));
}

void ArchiveWindowTest::enter_on_a_model_opens_it_in_the_main_window_and_f5_reads_it_again() {
    App app;
    app.window.show();
    const std::string vp = app.open_bytes(testing_pof::sample_archive(), "mod.vp");
    QTreeView* list = files(app);
    testing_ui::click_row(list, 0);
    QTest::keyClick(list, Qt::Key_Return);
    const QString label =
        QString::fromStdString(vp) + QString::fromUtf8(" \u203A data/models/sample.pof");
    auto* shown = app.window.findChild<ui::ElidedLabel*>("Label1");
    QCOMPARE(shown->full_text(), label);
    QCOMPARE(app.list()->model()->rowCount(), 21);
    QVERIFY(archive_window(app));
    // Narrow windows cut the label's folders, never a name, and the summary's path, never
    // its counts.
    const QChar ellipsis(0x2026);
    app.window.resize(200, app.window.height());
    QTRY_VERIFY(shown->text().contains(ellipsis));
    QVERIFY(shown->text().contains(QString::fromUtf8("mod.vp \u203A ")));
    QVERIFY(shown->text().endsWith(QStringLiteral("/sample.pof")));
    auto* summary = archive_window(app)->findChild<ui::ElidedLabel*>("lblSummary");
    QVERIFY(summary);
    archive_window(app)->resize(300, archive_window(app)->height());
    QTRY_VERIFY(summary->text().contains(ellipsis));
    QVERIFY(summary->text().contains(QStringLiteral(": 10 files in 4 folders, ")));
    QVERIFY(summary->text().endsWith(QStringLiteral(" bytes")));

    // Another model by a double-click, then F5 in the main window reads it again.
    testing_ui::double_click_row(list, 1);
    QCOMPARE(shown->full_text(),
             QString::fromStdString(vp) + QString::fromUtf8(" \u203A data/models/extra.pof"));
    QCOMPARE(app.list()->model()->rowCount(), 22);
    app.window.findChild<QAction*>("reload")->trigger();
    QCOMPARE(app.list()->model()->rowCount(), 22);
    QCOMPARE(app.cell(21, 0), QString("XXXX"));
    QVERIFY(app.messages.empty());
}

QTEST_MAIN(ArchiveWindowTest)
#include "archive_window_test.moc"
