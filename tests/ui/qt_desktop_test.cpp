// The Qt desktop: how the open dialog and the stop box are set up, and the busy cursor.

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "ui/qt_desktop.h"
#include "user_input.h"

class QtDesktopTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void open_dialog_follows_the_request();
    void open_dialog_takes_an_existing_name_as_typed();
    void stop_box_has_the_stop_icon_and_ok();
    void busy_cursor_nests();
    void hooks_stand_in_for_the_modal_boxes();
};

void QtDesktopTest::open_dialog_follows_the_request() {
    view::OpenFileRequest request;
    request.title = "Open POF File";
    request.default_suffix = "pof";
    auto dialog = ui::make_open_dialog(request);
    QCOMPARE(dialog->windowTitle(), QString("Open POF File"));
    QCOMPARE(dialog->defaultSuffix(), QString("pof"));
    QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
    QVERIFY(dialog->testOption(QFileDialog::ReadOnly));
    QVERIFY(dialog->nameFilters().isEmpty() ||
            dialog->nameFilters() == QStringList("All Files (*)"));
}

// A name typed without a suffix, in the shown dialog, opens that file when it exists and
// the file with the default suffix when it does not; where the request takes archive members,
// a member of an existing archive is taken as typed: Open is enabled and Enter accepts.
void QtDesktopTest::open_dialog_takes_an_existing_name_as_typed() {
    QTemporaryDir dir;
    for (const char* name : {"ship", "sample.pof", "Models.VP"}) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    // A folder "sample" in the working folder once kept Qt from adding the suffix.
    QTemporaryDir working;
    QVERIFY(QDir(working.path()).mkdir("sample"));
    const QString before = QDir::currentPath();
    QDir::setCurrent(working.path());
    view::OpenFileRequest request;
    request.default_suffix = "pof";
    for (const auto& [typed, opened] :
         {std::pair{"ship", "ship"},
          {"sample", "sample.pof"},
          {"Models.VP:data/models/ship.pof", "Models.VP:data/models/ship.pof"}}) {
        request.archive_members = QString(typed).contains(':');
        auto dialog = ui::make_open_dialog(request);
        dialog->setDirectory(dir.path());
        QVERIFY(testing_ui::show_active(*dialog));
        auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
        QVERIFY(edit);
        edit->setFocus();
        QTest::keyClicks(edit, typed);
        auto* open = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
        QVERIFY2(open->isEnabled(), typed);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(dialog->selectedFiles(), QStringList(dir.filePath(opened)));
    }
    QDir::setCurrent(before);
}

void QtDesktopTest::stop_box_has_the_stop_icon_and_ok() {
    auto box = ui::make_stop_box("pofscope", "Not a POF file!");
    QCOMPARE(box->icon(), QMessageBox::Critical);
    QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(box->windowTitle(), QString("pofscope"));
    QCOMPARE(box->text(), QString("Not a POF file!"));
}

void QtDesktopTest::busy_cursor_nests() {
    ui::QtDesktop desktop;
    desktop.set_busy(true);
    desktop.set_busy(true);
    QVERIFY(QApplication::overrideCursor());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    desktop.set_busy(false);
    QVERIFY(QApplication::overrideCursor());
    desktop.set_busy(false);
    QVERIFY(!QApplication::overrideCursor());
    desktop.set_busy(false);  // one too many must not pop someone else's cursor
    QApplication::setOverrideCursor(Qt::CrossCursor);
    desktop.set_busy(false);
    QVERIFY(QApplication::overrideCursor());
    QApplication::restoreOverrideCursor();
}

void QtDesktopTest::hooks_stand_in_for_the_modal_boxes() {
    ui::QtDesktop desktop;
    std::vector<std::string> requests, messages;
    desktop.dialog_hook = [&](const view::OpenFileRequest& r) {
        requests.push_back(r.title);
        return view::OpenFileResult{view::OpenFileResult::Status::Chosen, "/tmp/x.pof", {}};
    };
    desktop.message_hook = [&](const std::string& text) { messages.push_back(text); };
    view::OpenFileRequest request;
    request.title = "Open POF File";
    const auto result = desktop.open_file(request);
    QCOMPARE(result.status, view::OpenFileResult::Status::Chosen);
    QCOMPARE(result.path, std::string("/tmp/x.pof"));
    desktop.stop_message("Not a POF file!");
    QCOMPARE(requests, std::vector<std::string>{"Open POF File"});
    QCOMPARE(messages, std::vector<std::string>{"Not a POF file!"});
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(QtDesktopTest)
#include "qt_desktop_test.moc"
