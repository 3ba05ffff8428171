// What a new user meets first: a file named on the command line, the file label at the main
// window's default width, and lists that show no row as chosen before one is.

#include <QDir>
#include <QtTest>
#include <fstream>

#include "app_fixture.h"
#include "shell/command_line.h"
#include "shell/main_window_text.h"
#include "ship_model.h"
#include "ui/elided_label.h"

using testing_ui::App;

namespace {

constexpr int kSampleRows = 21;  // the chunks of the sample ship

QString written_sample(const QString& dir, const QString& name) {
    QDir().mkpath(dir);
    const QString path = dir + "/" + name;
    std::ofstream(path.toStdString(), std::ios::binary) << testing_pof::ship_model();
    return path;
}

void start_with(App& app, const std::vector<std::string>& args) {
    app.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&app.window));
    app.window.open_at_start(shell::parse_command_line(args).files);
}

}  // namespace

class StartUpTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void a_file_on_the_command_line_is_read_once_the_window_shows();
    void several_files_or_a_missing_one_give_the_failed_open_box();
    void a_long_path_keeps_its_file_name_in_view();
    void a_list_without_a_selection_shows_no_current_row();
};

void StartUpTest::a_file_on_the_command_line_is_read_once_the_window_shows() {
    App app;
    const QString path = written_sample(app.dir.path(), "ship.pof");
    start_with(app, {path.toStdString()});
    QCOMPARE(app.list()->model()->rowCount(), 0);  // the window is painted empty first
    QTRY_COMPARE(app.list()->model()->rowCount(), kSampleRows);
    QVERIFY(app.requests.empty());
    QVERIFY(app.messages.empty());
    QVERIFY(!QApplication::overrideCursor());
}

void StartUpTest::several_files_or_a_missing_one_give_the_failed_open_box() {
    const QString missing = "/no/such/dir/ship.pof";
    for (const auto& [args, message] :
         {std::pair{std::vector<std::string>{"a.pof", "b.pof"}, QString("Cannot open 2 files")},
          std::pair{std::vector<std::string>{missing.toStdString()}, "Cannot open " + missing}}) {
        App app;
        start_with(app, args);
        QTRY_COMPARE(app.messages.size(), std::size_t{1});
        QVERIFY2(QString::fromStdString(app.messages[0]).startsWith(message),
                 app.messages[0].c_str());
        QCOMPARE(app.list()->model()->rowCount(), 0);
        QVERIFY(!app.menu("IDM_WINDOW")->menuAction()->isEnabled());
    }
}

void StartUpTest::a_long_path_keeps_its_file_name_in_view() {
    App app;
    const QString path = written_sample(
        app.dir.filePath("freespace2 campaign models/terran capital ships"), "fighter.pof");
    start_with(app, {path.toStdString()});
    QTRY_COMPARE(app.list()->model()->rowCount(), kSampleRows);

    auto* label = app.window.findChild<ui::ElidedLabel*>("Label1");
    QVERIFY(label->text().endsWith("/fighter.pof"));
    QVERIFY(label->text().contains(QChar(0x2026)));
    QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->text_room());
    QCOMPARE(label->toolTip(), path);
    QVERIFY(shell::main_window_text(app.form).find("value Label1: " + path.toStdString()) !=
            std::string::npos);

    app.window.resize(label->fontMetrics().horizontalAdvance(path) + 200, app.window.height());
    QTRY_COMPARE(label->text(), path);
}

// Qt would make the first row current as the list takes the focus and frame it as chosen.
void StartUpTest::a_list_without_a_selection_shows_no_current_row() {
    App app;
    start_with(app, {written_sample(app.dir.path(), "ship.pof").toStdString()});
    QTRY_COMPARE(app.list()->model()->rowCount(), kSampleRows);
    app.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&app.window));
    app.list()->clearFocus();
    app.list()->setFocus(Qt::TabFocusReason);
    QVERIFY(app.list()->hasFocus());
    QVERIFY(!app.list()->currentIndex().isValid());

    QTest::keyClick(app.list(), Qt::Key_Down);  // the keys still start at the first row
    QCOMPARE(app.list()->currentIndex().row(), 0);
    QVERIFY(app.list()->selectionModel()->isRowSelected(0));
}

QTEST_MAIN(StartUpTest)
#include "start_up_test.moc"
