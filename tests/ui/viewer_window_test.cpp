// The generic viewer window: every control kind rendered, synced and wired back, first on a
// viewer written for the test, then on the header viewer over a read sample model.

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTreeView>
#include <QtTest>

#include "every_chunk_model.h"
#include "io/pof_file.h"
#include "io/text.h"
#include "pof/chunk_kinds.h"
#include "pof/read_pof.h"
#include "shell/frmPOF.h"
#include "ui/table_view.h"
#include "ui/text_lines_view.h"
#include "ui/viewer_window.h"
#include "user_input.h"
#include "view/headless.h"

using testing_ui::choose;

namespace {

// One control of each kind; choosing an item fills the values beneath it.
class SampleViewer : public view::Viewer {
  public:
    SampleViewer() : Viewer("frmSample", "Sample record") {
        item_value.value.name = "lblItemValue";
        group(items_group, {&item_count, &items, &item_value});
        set_layout(
            column({&record_size, row({&items_group, &names}), &bounds, &info, &long_cells}));
        names.on_click = [this](int row) { clicked.push_back(row); };
        names.on_double_click = [this](int row) { double_clicked.push_back(row); };
    }

    void opened() override {
        record_size.value.text = "42";
        items.rows = {"Item 0", "Item 1", "Item 2"};
        items.choose(0);
        for (int i = 0; i < 4; ++i) {
            names.add_row({"name " + pof::integer_text(i), pof::integer_text(i)});
        }
        bounds.set_column(0, {"-1", "-2"});
        bounds.set_column(1, {"1", "2"});
        info.text = "first\r\nsecond\rthird";
        long_cells.add_row({"a first cell far wider than its header", "x"});
    }
    void activated() override { ++activations; }

    void item_chosen(int i) {
        item_value.value.text = "value " + pof::integer_text(i * 10);
        items_group.caption = items.selected_text() + " data";
    }

    view::Field record_size{"Record Size"};
    view::Group items_group{""};
    view::Field item_count{"# items"};
    view::DropDown items{[this](int i) { item_chosen(i); }, "cboItems"};
    view::Field item_value{"Value", true};
    view::Table names{{{"Name", view::Table::Width::HalfOfList}, {"Index"}}, "lstNames"};
    view::Grid bounds{{"min", "max"}, {"X", "Y"}, "grdBounds"};
    view::TextBox info{"lblInfo"};
    view::Table long_cells{{{"#"}, {"Text"}}, "lstLong"};

    int activations = 0;
    std::vector<int> clicked, double_clicked;
};

struct SampleWindow {
    SampleWindow() {
        auto fresh = std::make_unique<SampleViewer>();
        fresh->opened();
        viewer = fresh.get();
        window = new ui::ViewerWindow(std::move(fresh));
    }
    ~SampleWindow() { delete window.data(); }

    template <class W>
    W* child(const char* name) {
        return window->findChild<W*>(name);
    }

    SampleViewer* viewer;
    QPointer<ui::ViewerWindow> window;
};

QString grid_text(QGridLayout* grid, int row, int column) {
    auto* label = qobject_cast<QLabel*>(grid->itemAtPosition(row, column)->widget());
    return label ? label->text() : QString("<none>");
}

}  // namespace

class ViewerWindowTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void window_is_named_and_titled_after_the_viewer();
    void drop_down_rows_selection_and_enabled_follow_the_control();
    void choosing_a_row_updates_the_values_beneath_it();
    void values_are_selectable_and_fields_show_their_captions();
    void text_box_shows_line_breaks_without_carriage_returns();
    void grid_has_column_and_row_headers();
    void table_rows_clicks_and_column_widths();
    void table_repopulates_only_when_its_rows_changed();
    void fit_width_measures_a_wide_row_at_the_end_of_a_long_list();
    void table_with_levels_is_an_open_tree();
    void activation_reaches_the_viewer();
    void header_viewer_over_a_read_model();
};

void ViewerWindowTest::window_is_named_and_titled_after_the_viewer() {
    SampleWindow w;
    QCOMPARE(w.window->objectName(), QString("frmSample"));
    QCOMPARE(w.window->windowTitle(), QString("Sample record"));
    w.viewer->title = "Sample record data";
    w.window->sync();
    QCOMPARE(w.window->windowTitle(), QString("Sample record data"));
    QVERIFY(w.window->isWindow());
    QVERIFY(w.window->testAttribute(Qt::WA_DeleteOnClose));
}

void ViewerWindowTest::drop_down_rows_selection_and_enabled_follow_the_control() {
    SampleWindow w;
    auto* combo = w.child<QComboBox>("cboItems");
    QVERIFY(combo);
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->itemText(2), QString("Item 2"));
    QCOMPARE(combo->currentIndex(), 0);
    QVERIFY(combo->isEnabled());

    w.viewer->items.rows = {"Only 0"};
    w.viewer->items.choose(0);
    w.viewer->items.enabled = false;
    w.window->sync();
    QCOMPARE(combo->count(), 1);
    QCOMPARE(combo->currentText(), QString("Only 0"));
    QVERIFY(!combo->isEnabled());

    w.viewer->items.clear();
    w.window->sync();
    QCOMPARE(combo->count(), 0);
    QCOMPARE(combo->currentIndex(), -1);
}

void ViewerWindowTest::choosing_a_row_updates_the_values_beneath_it() {
    SampleWindow w;
    auto* value = w.child<QLabel>("lblItemValue");
    QCOMPARE(value->text(), QString("value 0"));
    choose(w.child<QComboBox>("cboItems"), 2);
    QCOMPARE(w.viewer->items.selected, 2);
    QCOMPARE(value->text(), QString("value 20"));
    auto* group = qobject_cast<QGroupBox*>(w.child<QComboBox>("cboItems")->parentWidget());
    QVERIFY(group);
    QCOMPARE(group->title(), QString("Item 2 data"));
}

void ViewerWindowTest::values_are_selectable_and_fields_show_their_captions() {
    SampleWindow w;
    auto* value = w.child<QLabel>("lblItemValue");
    QVERIFY(value->textInteractionFlags() & Qt::TextSelectableByMouse);
    QCOMPARE(value->textFormat(), Qt::PlainText);
    QStringList texts;
    for (QLabel* label : w.window->findChildren<QLabel*>()) texts << label->text();
    QVERIFY(texts.contains("Record Size"));
    QVERIFY(texts.contains("42"));
    QVERIFY(texts.contains("# items"));

    w.viewer->item_value.caption.enabled = false;
    w.window->sync();
    QLabel* caption = nullptr;
    for (QLabel* label : w.window->findChildren<QLabel*>()) {
        if (label->text() == "Value") caption = label;
    }
    QVERIFY(caption);
    QVERIFY(!caption->isEnabled());
    QVERIFY(value->isEnabled());
}

void ViewerWindowTest::text_box_shows_line_breaks_without_carriage_returns() {
    SampleWindow w;
    auto* info = w.child<ui::TextLinesView>("lblInfo");
    QVERIFY(info);
    QCOMPARE(info->line_count(), 2);
    QCOMPARE(info->line(0), QString("first"));
    QCOMPARE(info->line(1), QString("secondthird"));
    info->selectAll();
    QCOMPARE(info->selected_text(), QString("first\nsecondthird"));
}

void ViewerWindowTest::grid_has_column_and_row_headers() {
    SampleWindow w;
    auto* grid = qobject_cast<QGridLayout*>(w.child<QWidget>("grdBounds")->layout());
    QVERIFY(grid);
    QCOMPARE(grid_text(grid, 0, 1), QString("min"));
    QCOMPARE(grid_text(grid, 0, 2), QString("max"));
    QCOMPARE(grid_text(grid, 1, 0), QString("X"));
    QCOMPARE(grid_text(grid, 2, 0), QString("Y"));
    QCOMPARE(grid_text(grid, 1, 1), QString("-1"));
    QCOMPARE(grid_text(grid, 2, 2), QString("2"));
}

void ViewerWindowTest::table_rows_clicks_and_column_widths() {
    SampleWindow w;
    w.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.window));
    auto* list = w.child<QTreeView>("lstNames");
    QVERIFY(list);
    QCOMPARE(list->model()->rowCount(), 4);
    QCOMPARE(list->model()->index(3, 0).data().toString(), QString("name 3"));
    QCOMPARE(list->header()->sectionSize(0), list->viewport()->width() / 2);
    QVERIFY(list->header()->stretchLastSection());

    // Fit to header and contents: the wider of the two.
    auto* long_cells = w.child<QTreeView>("lstLong");
    const int text = long_cells->fontMetrics().horizontalAdvance(
        QString("a first cell far wider than its header"));
    QVERIFY(long_cells->header()->sectionSize(0) > text);
    QVERIFY(long_cells->header()->sectionSize(0) > long_cells->header()->sectionSizeHint(0));

    testing_ui::click_row(list, 2);
    QVERIFY(!w.viewer->clicked.empty());
    QCOMPARE(w.viewer->clicked.back(), 2);
    QVERIFY(w.viewer->double_clicked.empty());
    testing_ui::double_click_row(list, 1);
    QCOMPARE(w.viewer->double_clicked, std::vector<int>{1});
    QCOMPARE(w.viewer->clicked.back(), 1);
    QCOMPARE(w.viewer->names.selected, 1);
}

void ViewerWindowTest::table_repopulates_only_when_its_rows_changed() {
    SampleWindow w;
    auto* list = w.child<QTreeView>("lstNames");
    QSignalSpy resets(list->model(), &QAbstractItemModel::modelReset);
    QSignalSpy inserts(list->model(), &QAbstractItemModel::rowsInserted);
    w.window->sync();
    QCOMPARE(resets.count() + inserts.count(), 0);

    w.viewer->names.clear();
    w.viewer->names.add_row({"fresh", "0"});
    w.window->sync();
    QCOMPARE(resets.count(), 1);
    QCOMPARE(list->model()->rowCount(), 1);
    QCOMPARE(list->model()->index(0, 0).data().toString(), QString("fresh"));

    w.viewer->names.enabled = false;
    w.window->sync();
    QVERIFY(!list->isEnabled());
    QCOMPARE(resets.count(), 1);
}

void ViewerWindowTest::fit_width_measures_a_wide_row_at_the_end_of_a_long_list() {
    view::Table table({{"#"}, {"Text"}});
    for (int i = 0; i < 5000; ++i) table.add_row({"r", "x"});
    const std::string last = "a last row far wider than its column header";
    table.add_row({last, "x"});
    ui::TableView list(table, [] {});
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.size_columns();
    QVERIFY(list.header()->sectionSize(0) >
            list.fontMetrics().horizontalAdvance(QString::fromStdString(last)));
}

// Rows under the nearest row above with a smaller level, every row in view once the rows
// change (even after a fold), and a double-click that tells the table's own row.
void ViewerWindowTest::table_with_levels_is_an_open_tree() {
    view::Table table({{"Difference"}, {"Open model"}});
    int double_clicked = -1;
    table.on_double_click = [&](int row) { double_clicked = row; };
    const std::pair<const char*, int> rows[] = {{"GPNT", 0},   {"Slot 0", 1}, {"Point", 2},
                                                {"Normal", 2}, {"Slot 1", 1}, {"TXTR", 0}};
    for (const auto& [text, level] : rows) {
        table.add_row({text, "1"});
        table.levels.push_back(level);
    }
    ui::TableView list(table, [] {});
    QAbstractItemModelTester tester(list.model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const QAbstractItemModel& model = *list.model();
    QCOMPARE(model.rowCount(), 2);
    const QModelIndex gpnt = model.index(0, 0);
    QCOMPARE(model.rowCount(gpnt), 2);
    const QModelIndex slot = model.index(0, 0, gpnt);
    const QModelIndex normal = model.index(1, 0, slot);
    QCOMPARE(normal.data().toString(), QString("Normal"));
    QCOMPARE(normal.parent().parent(), gpnt);
    const auto all_in_view = [&] {
        int seen = 0;
        for (QModelIndex i = model.index(0, 0); i.isValid(); i = list.indexBelow(i)) ++seen;
        return seen == list.table_model().shown_rows();
    };
    QVERIFY(all_in_view());

    testing_ui::double_click(&list, normal);
    QCOMPARE(double_clicked, 3);
    testing_ui::double_click(&list, slot);  // leads to the row; never folds it
    QCOMPARE(double_clicked, 1);
    QVERIFY(list.isExpanded(slot));

    list.collapseAll();
    table.add_row({"Point", "2"});
    table.levels.push_back(2);
    QVERIFY(list.sync());
    QVERIFY(all_in_view());
}

void ViewerWindowTest::activation_reaches_the_viewer() {
    SampleWindow w;
    w.viewer->record_size.value.text = "43";
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(w.window, &activate);
    QCOMPARE(w.viewer->activations, 1);
    QStringList texts;
    for (QLabel* label : w.window->findChildren<QLabel*>()) texts << label->text();
    QVERIFY(texts.contains("43"));
}

void ViewerWindowTest::header_viewer_over_a_read_model() {
    pof::ModelStore store;
    view::HeadlessDesktop desktop;
    view::HeadlessWindows windows;
    shell::frmPOF form(store, desktop, windows);
    const std::string bytes = testing_pof::every_chunk_model(2117);
    pof::PofFile file = pof::PofFile::from_bytes(bytes);
    QCOMPARE(pof::read_chunks(file, store, form, desktop), pof::ReadOutcome::Clean);

    auto viewer =
        pof::kind_of(pof::RecordEntry::OHDR).make_viewer({store, store.browsing, windows, desktop});
    viewer->opened();
    ui::ViewerWindow window(std::move(viewer));
    auto* sections = window.findChild<QComboBox*>("cboCrossSections");
    auto* lights = window.findChild<QComboBox*>("cboLights");
    QVERIFY(sections && lights);
    QCOMPARE(sections->count(), 3);
    QCOMPARE(sections->itemText(2), QString("Cross Section 2"));
    QCOMPARE(sections->currentIndex(), 0);
    QVERIFY(sections->isEnabled());
    QCOMPARE(lights->count(), 1);
    QCOMPARE(lights->itemText(0), QString("Light 0"));
    QCOMPARE(lights->currentIndex(), 0);
    QVERIFY(!lights->isEnabled());

    QStringList titles;
    for (QGroupBox* g : window.findChildren<QGroupBox*>()) titles << g->title();
    QVERIFY(titles.contains("Bounding Box"));
    QVERIFY(titles.contains("Moment of Inertia"));
    QVERIFY(titles.contains("v2007"));
    QVERIFY(titles.contains(""));
}

QTEST_MAIN(ViewerWindowTest)
#include "viewer_window_test.moc"
