// The real main window driven as a user would: File > Open through the dialog hook, the
// record list, the Window menu and the viewer windows it opens.

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QtTest>

#include "app_fixture.h"
#include "every_chunk_model.h"
#include "pof_builder.h"
#include "subobject_model.h"
#include "ui/viewer_window.h"
#include "user_input.h"

using testing_pof::Bytes;
using testing_pof::PofBuilder;
using testing_ui::App;
using testing_ui::choose;
using testing_ui::click_row;
using testing_ui::double_click_row;

namespace {

// HDR2, OBJ2, OBJ2, XXXX, OBJ2.
std::string three_subobjects_file() {
    const auto body = [](std::int32_t n) {
        return testing_pof::subobject_body(2117, {.number = n});
    };
    return PofBuilder(2117)
        .chunk("HDR2", testing_pof::header_body(2117, {.subobjects = 3}))
        .chunk("OBJ2", body(0))
        .chunk("OBJ2", body(1))
        .chunk("XXXX", Bytes().i32(0))
        .chunk("OBJ2", body(2))
        .str();
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void starts_empty_with_the_window_menu_disabled();
    void menus_carry_the_entries_with_access_keys();
    void open_lists_every_chunk_and_enables_its_entries();
    void columns_fit_header_and_contents();
    void double_click_opens_the_header_viewer_as_its_own_window();
    void choosing_a_minimised_viewer_again_restores_the_same_window();
    void older_versions_keep_the_header_title();
    void not_a_pof_file_shows_the_stop_message_with_the_arrow_cursor();
    void cancel_leaves_list_and_viewers_as_they_were();
    void a_new_file_closes_the_viewers();
    void clicks_and_keyboard_choose_the_current_subobject();
    void close_all_closes_every_viewer();
    void the_close_box_lets_a_viewer_be_opened_anew();
    void closing_the_main_window_closes_the_viewers();
};

void MainWindowTest::starts_empty_with_the_window_menu_disabled() {
    App app;
    QCOMPARE(app.window.objectName(), QString("frmPOF"));
    QCOMPARE(app.window.windowTitle(), QString("POF File Data"));
    auto* label = app.window.findChild<QLabel*>("Label1");
    QVERIFY(label);
    QVERIFY(label->text().isEmpty());
    QCOMPARE(app.list()->model()->rowCount(), 0);
    QCOMPARE(app.list()->model()->headerData(0, Qt::Horizontal).toString(), QString("Record Type"));
    QCOMPARE(app.list()->model()->headerData(1, Qt::Horizontal).toString(), QString("Record Size"));
    QVERIFY(!app.list()->rootIsDecorated());
    QVERIFY(!app.list()->isHeaderHidden());
    QVERIFY(!app.menu("IDM_WINDOW")->menuAction()->isEnabled());
    QVERIFY(app.action("IDM_OPEN")->isEnabled());
    QVERIFY(!app.action("IDM_SAVE")->isEnabled());
    QVERIFY(!app.action("IDM_SAVE_AS")->isEnabled());
}

void MainWindowTest::menus_carry_the_entries_with_access_keys() {
    App app;
    QStringList file;
    for (QAction* a : app.menu("IDM_FILE")->actions()) {
        file << (a->isSeparator() ? "-" : a->objectName() + "=" + a->text());
    }
    QCOMPARE(file, QStringList({"IDM_OPEN=&Open", "-", "IDM_SAVE=&Save", "IDM_SAVE_AS=Save &As",
                                "-", "IDM_EXIT=&Exit"}));
    QCOMPARE(app.menu("IDM_FILE")->title(), QString("&File"));
    QCOMPARE(app.menu("IDM_WINDOW")->title(), QString("&Window"));
    const QList<QAction*> window = app.menu("IDM_WINDOW")->actions();
    QCOMPARE(window.size(), 20);
    QCOMPARE(window[0]->text(), QString("Close All"));
    QCOMPARE(window[1]->objectName(), QString("IDM_TXTR"));
    QCOMPARE(window[16]->text(), QString("PINF Record"));
    QCOMPARE(window[17]->objectName(), QString("IDM_GLOW"));
    QCOMPARE(window[18]->text(), QString("SLDC Record"));
    QCOMPARE(window[19]->objectName(), QString("IDM_SLC2"));
}

void MainWindowTest::open_lists_every_chunk_and_enables_its_entries() {
    App app;
    const std::string path = app.open_bytes(testing_pof::every_chunk_model(2117));

    QCOMPARE(app.requests.size(), std::size_t(1));
    QCOMPARE(app.requests[0].title, std::string("Open POF File"));
    QCOMPARE(app.requests[0].default_suffix, std::string("pof"));
    QCOMPARE(app.window.findChild<QLabel*>("Label1")->text(), QString::fromStdString(path));
    QVERIFY(app.messages.empty());

    const QStringList types{"HDR2", "OBJ2   0", "OBJ2   1", "TXTR", "PINF", "XXXX", "ACEN",
                            "DOCK", "PATH",     "FUEL",     "INSG", "GPNT", "MPNT", "TGUN",
                            "TMIS", "SPCL",     "EYE ",     "SHLD", "GLOW"};
    const QStringList sizes{
        QString::number(testing_pof::header_body(2117).size()),
        QString::number(testing_pof::every_chunk_subobject(2117, 0).size()),
        QString::number(testing_pof::every_chunk_subobject(2117, 1).size()),
        QString::number(
            testing_pof::texture_body({"fighter01", "fighter01-glow", "thruster"}).size()),
        "36",
        "12",
        "12",
        QString::number(testing_pof::dock_body().size()),
        QString::number(testing_pof::path_body().size()),
        QString::number(testing_pof::fuel_body(2117).size()),
        QString::number(testing_pof::insg_body().size()),
        "88",
        "32",
        "52",
        "40",
        "99",
        "60",
        "200",
        QString::number(testing_pof::glow_body().size())};
    QCOMPARE(app.list()->model()->rowCount(), 19);
    for (int r = 0; r < 19; ++r) {
        QCOMPARE(app.cell(r, 0), types[r]);
        QCOMPARE(app.cell(r, 1), sizes[r]);
    }

    QVERIFY(app.menu("IDM_WINDOW")->menuAction()->isEnabled());
    QVERIFY(app.action("IDM_CLOSE_ALL")->isEnabled());
    QCOMPARE(app.action("IDM_OHDR")->text(), QString("HDR2 Record"));
    for (const char* on : {"IDM_OHDR", "IDM_SOBJ", "IDM_TXTR", "IDM_PINF", "IDM_ACEN", "IDM_DOCK",
                           "IDM_PATH", "IDM_FUEL", "IDM_INSG", "IDM_GPNT", "IDM_MPNT", "IDM_TGUN",
                           "IDM_TMIS", "IDM_SPCL", "IDM_EYE", "IDM_SHLD", "IDM_GLOW"}) {
        QVERIFY2(app.action(on)->isEnabled(), on);
    }
    for (const char* off : {"IDM_SAVE", "IDM_SAVE_AS"}) {
        QVERIFY2(!app.action(off)->isEnabled(), off);
    }
    QVERIFY(!QApplication::overrideCursor());
}

void MainWindowTest::columns_fit_header_and_contents() {
    App app;
    app.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&app.window));
    QHeaderView* header = app.list()->header();
    QVERIFY(header->stretchLastSection());
    app.open_bytes(PofBuilder(2117).chunk("TXTR", testing_pof::texture_body({})).str());
    QCOMPARE(header->sectionSize(0), header->sectionSizeHint(0));  // the header is wider

    const Bytes body = testing_pof::subobject_body(2117);
    PofBuilder many(2117);
    many.chunk("HDR2", testing_pof::header_body(2117, {.subobjects = 1}));
    for (int i = 0; i < 1000; ++i) many.chunk("OBJ2", body);
    app.open_bytes(many.str(), "many.pof");
    QCOMPARE(app.cell(1000, 0), QString("OBJ2   999"));
    QVERIFY(header->sectionSize(0) > app.list()->fontMetrics().horizontalAdvance("OBJ2   999"));
    QVERIFY(header->sectionSize(0) >= header->sectionSizeHint(0));
}

void MainWindowTest::double_click_opens_the_header_viewer_as_its_own_window() {
    App app;
    app.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&app.window));
    app.open_bytes(testing_pof::every_chunk_model(2117));
    double_click_row(app.list(), 0);

    ui::ViewerWindow* header = app.windows.window("frmOHDR");
    QVERIFY(header);
    QCOMPARE(header->objectName(), QString("frmOHDR"));
    QCOMPARE(header->windowTitle(), QString("HDR2 record data"));
    QVERIFY(header->isWindow());
    QVERIFY(!header->parentWidget());
    QVERIFY(header->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(header->isVisible());
    QVERIFY(!header->isModal());
}

void MainWindowTest::choosing_a_minimised_viewer_again_restores_the_same_window() {
    App app;
    app.open_bytes(testing_pof::every_chunk_model(2117));
    app.action("IDM_OHDR")->trigger();
    QPointer<ui::ViewerWindow> first = app.windows.window("frmOHDR");
    QVERIFY(first);
    auto* sections = first->findChild<QComboBox*>("cboCrossSections");
    QVERIFY(sections);
    choose(sections, 2);
    first->showMinimized();
    QVERIFY(first->isMinimized());

    app.action("IDM_OHDR")->trigger();
    QVERIFY(first);
    QCOMPARE(app.windows.window("frmOHDR"), first.data());
    QVERIFY(!first->isMinimized());
    QCOMPARE(sections->currentIndex(), 2);
    QCOMPARE(first->windowTitle(), QString("HDR2 record data"));
}

void MainWindowTest::older_versions_keep_the_header_title() {
    App app;
    app.open_bytes(testing_pof::every_chunk_model(2014));
    QCOMPARE(app.cell(0, 0), QString("OHDR"));
    QCOMPARE(app.action("IDM_OHDR")->text(), QString("OHDR Record"));
    app.action("IDM_OHDR")->trigger();
    QVERIFY(app.windows.window("frmOHDR"));
    QCOMPARE(app.windows.window("frmOHDR")->windowTitle(), QString("OHDR record"));
}

void MainWindowTest::not_a_pof_file_shows_the_stop_message_with_the_arrow_cursor() {
    App app;
    app.open_bytes(testing_pof::every_chunk_model(2117));
    QCOMPARE(app.list()->model()->rowCount(), 19);

    // What the window behind the message box shows while the box waits.
    Qt::CursorShape shape_during_message = Qt::BlankCursor;
    int rows_during_message = -1;
    bool window_menu_during_message = true;
    app.on_message = [&] {
        if (QApplication::overrideCursor()) {
            shape_during_message = QApplication::overrideCursor()->shape();
        }
        rows_during_message = app.list()->model()->rowCount();
        window_menu_during_message = app.menu("IDM_WINDOW")->menuAction()->isEnabled();
    };
    const std::string path = app.open_bytes(PofBuilder(2117, "pspo").str(), "lower.pof");

    QCOMPARE(app.messages, std::vector<std::string>{"Not a POF file!"});
    QCOMPARE(shape_during_message, Qt::ArrowCursor);
    QCOMPARE(rows_during_message, 0);
    QVERIFY(!window_menu_during_message);
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(app.list()->model()->rowCount(), 0);
    QVERIFY(!app.menu("IDM_WINDOW")->menuAction()->isEnabled());
    QCOMPARE(app.window.findChild<QLabel*>("Label1")->text(), QString::fromStdString(path));
}

void MainWindowTest::cancel_leaves_list_and_viewers_as_they_were() {
    App app;
    const std::string path = app.open_bytes(testing_pof::every_chunk_model(2117));
    app.action("IDM_TXTR")->trigger();
    QVERIFY(app.windows.window("frmTXTR"));

    app.next_dialog = {view::OpenFileResult::Status::Cancelled, {}, {}};
    app.action("IDM_OPEN")->trigger();
    QCOMPARE(app.requests.size(), std::size_t(2));
    QCOMPARE(app.list()->model()->rowCount(), 19);
    QVERIFY(app.windows.window("frmTXTR"));
    QCOMPARE(app.window.findChild<QLabel*>("Label1")->text(), QString::fromStdString(path));
    QVERIFY(app.action("IDM_TXTR")->isEnabled());
}

void MainWindowTest::a_new_file_closes_the_viewers() {
    App app;
    app.open_bytes(testing_pof::every_chunk_model(2117));
    app.action("IDM_PINF")->trigger();
    QPointer<ui::ViewerWindow> pinf = app.windows.window("frmPINF");
    QVERIFY(pinf);
    app.open_bytes(PofBuilder(2117).chunk("TXTR", testing_pof::texture_body({"a"})).str(),
                   "second.pof");
    QVERIFY(!app.windows.window("frmPINF"));
    testing_ui::run_deferred_deletes();
    QVERIFY(!pinf);
    QCOMPARE(app.list()->model()->rowCount(), 1);
    QVERIFY(!app.action("IDM_PINF")->isEnabled());
}

void MainWindowTest::clicks_and_keyboard_choose_the_current_subobject() {
    App app;
    app.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&app.window));
    app.open_bytes(three_subobjects_file());
    QCOMPARE(app.cell(2, 0), QString("OBJ2   1"));
    QCOMPARE(app.cell(4, 0), QString("OBJ2   2"));
    QCOMPARE(app.store.current_subobject, 3);

    click_row(app.list(), 2);
    QCOMPARE(app.store.current_subobject, 1);
    QCOMPARE(app.form.record_list().selected, 2);
    QTest::keyClick(app.list(), Qt::Key_Down);
    QCOMPARE(app.form.record_list().selected, 3);
    QCOMPARE(app.store.current_subobject, 0);
    QTest::keyClick(app.list(), Qt::Key_Down);
    QCOMPARE(app.store.current_subobject, 2);
}

void MainWindowTest::close_all_closes_every_viewer() {
    App app;
    app.open_bytes(testing_pof::every_chunk_model(2117));
    const char* names[] = {"frmOHDR", "frmTXTR", "frmPINF", "frmACEN"};
    for (const char* entry : {"IDM_OHDR", "IDM_TXTR", "IDM_PINF", "IDM_ACEN"}) {
        app.action(entry)->trigger();
    }
    std::vector<QPointer<ui::ViewerWindow>> open;
    for (const char* name : names) {
        QVERIFY2(app.windows.window(name), name);
        open.emplace_back(app.windows.window(name));
    }

    app.action("IDM_CLOSE_ALL")->trigger();
    for (const char* name : names) QVERIFY2(!app.windows.find(name), name);
    testing_ui::run_deferred_deletes();
    for (const auto& w : open) QVERIFY(!w);
    QVERIFY(app.menu("IDM_WINDOW")->menuAction()->isEnabled());
    QCOMPARE(app.list()->model()->rowCount(), 19);
}

void MainWindowTest::the_close_box_lets_a_viewer_be_opened_anew() {
    App app;
    app.open_bytes(testing_pof::every_chunk_model(2117));
    app.action("IDM_ACEN")->trigger();
    QPointer<ui::ViewerWindow> first = app.windows.window("frmACEN");
    QVERIFY(first);
    first->close();
    QVERIFY(!app.windows.find("frmACEN"));
    testing_ui::run_deferred_deletes();
    QVERIFY(!first);

    app.action("IDM_ACEN")->trigger();
    QVERIFY(app.windows.window("frmACEN"));
    QVERIFY(app.windows.window("frmACEN")->isVisible());
}

void MainWindowTest::closing_the_main_window_closes_the_viewers() {
    App app;
    app.window.show();
    app.open_bytes(testing_pof::every_chunk_model(2117));
    app.action("IDM_TXTR")->trigger();
    app.action("IDM_ACEN")->trigger();
    QVERIFY(app.window.close());
    QVERIFY(!app.windows.find("frmTXTR"));
    QVERIFY(!app.windows.find("frmACEN"));
    testing_ui::run_deferred_deletes();
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
