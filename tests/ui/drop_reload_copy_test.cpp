// The comforts around the windows: a file dropped on the main window, F5, and copying a
// window as text through Ctrl+C and the context menu, read back from the clipboard.

#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include "app_fixture.h"
#include "every_chunk_model.h"
#include "pof_builder.h"
#include "shell/main_window_text.h"
#include "ui/viewer_window.h"
#include "user_input.h"
#include "view/window_text.h"

using testing_pof::PofBuilder;
using testing_ui::App;

namespace {

std::string header_and_textures() {
    return PofBuilder(2117)
        .chunk("HDR2", testing_pof::header_body(2117))
        .chunk("TXTR", testing_pof::texture_body({"hull"}))
        .str();
}

QString written(App& app, const QString& name, const std::string& bytes) {
    QString path = app.dir.filePath(name);
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
    return path;
}

std::unique_ptr<QMimeData> urls(const QList<QUrl>& list) {
    auto data = std::make_unique<QMimeData>();
    data->setUrls(list);
    return data;
}

// Drags the data over the window and lets go; returns whether the window took it.
bool drop(QWidget& window, const QMimeData& data) {
    const QPoint at = window.rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &dropped);
    QCoreApplication::processEvents();  // the read runs once the drop has ended
    return enter.isAccepted() && dropped.isAccepted();
}

QString clipboard() {
    return QGuiApplication::clipboard()->text();
}

QLabel* label_showing(QWidget* window, const QString& text) {
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->text() == text) return label;
    }
    return nullptr;
}

// Opens the context menu of a widget, notes its entries and triggers the one captioned
// `choose`, as a right-click and a click on the entry would.
QStringList context_menu(QWidget* widget, const QString& choose) {
    QStringList entries;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        QAction* chosen = nullptr;
        for (QAction* a : menu->actions()) {
            entries << (a->isSeparator() ? "-" : a->text() + (a->isEnabled() ? "" : " (off)"));
            if (a->text() == choose) chosen = a;
        }
        menu->close();
        if (chosen) chosen->trigger();
    });
    const QPoint at = widget->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &event);
    return entries;
}

}  // namespace

class DropReloadCopyTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void a_dropped_file_is_read_as_the_dialogs_file();
    void other_drops_are_refused_and_change_nothing();
    void f5_reads_the_open_file_again();
    void ctrl_c_copies_the_main_window_as_pofdump_prints_it();
    void a_viewer_copies_its_text_unless_a_value_is_selected();
    void every_context_menu_offers_the_whole_window();
};

void DropReloadCopyTest::a_dropped_file_is_read_as_the_dialogs_file() {
    App app;
    const QString path = written(app, "dropped.pof", header_and_textures());
    QVERIFY(drop(app.window, *urls({QUrl::fromLocalFile(path)})));

    QVERIFY(app.requests.empty());
    QCOMPARE(app.window.findChild<QLabel*>("Label1")->text(), path);
    QCOMPARE(app.list()->model()->rowCount(), 2);
    QVERIFY(app.action("IDM_OHDR")->isEnabled());
    QVERIFY(!QApplication::overrideCursor());
}

void DropReloadCopyTest::other_drops_are_refused_and_change_nothing() {
    App app;
    const std::string path = app.open_bytes(header_and_textures());
    app.action("IDM_TXTR")->trigger();
    const QString other = written(app, "other.pof", PofBuilder(2117).str());

    auto text = std::make_unique<QMimeData>();
    text->setText(other);
    const std::unique_ptr<QMimeData> refused[] = {
        urls({QUrl::fromLocalFile(other), QUrl::fromLocalFile(QString::fromStdString(path))}),
        urls({QUrl::fromLocalFile(app.dir.path())}),
        urls({QUrl("https://example.org/ship.pof")}),
        std::move(text),
    };
    for (const auto& data : refused) {
        QVERIFY(!drop(app.window, *data));
        QCOMPARE(app.window.findChild<QLabel*>("Label1")->text(), QString::fromStdString(path));
        QCOMPARE(app.list()->model()->rowCount(), 2);
        QVERIFY(app.windows.window("frmTXTR"));
    }
    QVERIFY(app.messages.empty());
}

void DropReloadCopyTest::f5_reads_the_open_file_again() {
    App app;
    QVERIFY(testing_ui::show_active(app.window));
    QTest::keyClick(&app.window, Qt::Key_F5);
    QVERIFY(app.window.findChild<QLabel*>("Label1")->text().isEmpty());

    const std::string path = app.open_bytes(header_and_textures());
    app.action("IDM_TXTR")->trigger();
    QVERIFY(testing_ui::show_active(app.window));
    std::ofstream(path, std::ios::binary)
        << PofBuilder(2117).chunk("ACEN", testing_pof::acen_body(1, 2, 3)).str();
    QTest::keyClick(&app.window, Qt::Key_F5);

    QCOMPARE(app.requests.size(), std::size_t(1));
    QCOMPARE(app.list()->model()->rowCount(), 1);
    QVERIFY(!app.windows.window("frmTXTR"));
    QVERIFY(app.action("IDM_ACEN")->isEnabled());
    // The Window menu keeps no keys of its own; Open, Exit and the View menu's windows have
    // theirs, and F5 is none of them.
    for (const QMenu* menu : app.window.findChildren<QMenu*>()) {
        for (const QAction* a : menu->actions()) {
            QVERIFY(a->shortcut().isEmpty() || menu->objectName() != "IDM_WINDOW");
            QVERIFY(a->shortcut() != QKeySequence(Qt::Key_F5));
        }
    }
    QCOMPARE(app.action("IDM_MODEL_VIEW")->shortcut(), QKeySequence("Ctrl+M"));
    QCOMPARE(app.action("IDM_OPEN")->shortcut(), QKeySequence("Ctrl+O"));
    QCOMPARE(app.action("IDM_EXIT")->shortcut(), QKeySequence("Ctrl+Q"));
}

void DropReloadCopyTest::ctrl_c_copies_the_main_window_as_pofdump_prints_it() {
    App app;
    app.open_bytes(header_and_textures());
    QVERIFY(testing_ui::show_active(app.window));
    app.list()->setFocus();
    testing_ui::click_row(app.list(), 1);
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(app.list(), Qt::Key_C, Qt::ControlModifier);

    const QString text = clipboard();
    QCOMPARE(text, QString::fromStdString(shell::main_window_text(app.form)));
    QVERIFY(text.startsWith("frmPOF  \"POF File Data\"\nvalue Label1: "));
    QVERIFY(text.contains("list 1 ListView1: 2 rows, selected 1\n"));
}

void DropReloadCopyTest::a_viewer_copies_its_text_unless_a_value_is_selected() {
    App app;
    app.open_bytes(header_and_textures());
    app.action("IDM_OHDR")->trigger();
    ui::ViewerWindow* header = app.windows.window("frmOHDR");
    QVERIFY(header);
    QVERIFY(testing_ui::show_active(*header));

    QTest::keyClick(header, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard(), QString::fromStdString(view::viewer_text(header->viewer())));
    QVERIFY(clipboard().startsWith("frmOHDR  \"HDR2 record data\"\nRecord Size: "));

    QLabel* value = label_showing(header, "2117");
    QVERIFY(value);
    value->setFocus();
    value->setSelection(1, 2);
    QTest::keyClick(value, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard(), QString("11"));
}

void DropReloadCopyTest::every_context_menu_offers_the_whole_window() {
    App app;
    app.open_bytes(header_and_textures());
    app.action("IDM_OHDR")->trigger();
    ui::ViewerWindow* header = app.windows.window("frmOHDR");
    QVERIFY(testing_ui::show_active(*header));
    const QString whole = QString::fromStdString(view::viewer_text(header->viewer()));

    // A caption has no menu of its own: the window's comes up.
    QGuiApplication::clipboard()->clear();
    QCOMPARE(context_menu(label_showing(header, "File Version"), "Copy Window as Text"),
             QStringList{"Copy Window as Text"});
    QCOMPARE(clipboard(), whole);

    // A value keeps its own entries before the window's.
    QGuiApplication::clipboard()->clear();
    QCOMPARE(context_menu(label_showing(header, "2117"), "Copy Window as Text"),
             QStringList({"&Copy (off)", "Select &All", "-", "Copy Window as Text"}));
    QCOMPARE(clipboard(), whole);

    // The main window's record list passes the right-click on to the window, and the
    // right button selects no row there, so the copy shows what the window shows.
    QVERIFY(testing_ui::show_active(app.window));
    QTest::mousePress(app.list()->viewport(), Qt::RightButton, {},
                      testing_ui::row_centre(app.list(), 2));
    QVERIFY(!app.list()->selectionModel()->hasSelection());
    QGuiApplication::clipboard()->clear();
    QCOMPARE(context_menu(app.list()->viewport(), "Copy Window as Text"),
             QStringList{"Copy Window as Text"});
    QCOMPARE(clipboard(), QString::fromStdString(shell::main_window_text(app.form)));
}

QTEST_MAIN(DropReloadCopyTest)
#include "drop_reload_copy_test.moc"
