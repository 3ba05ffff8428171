// The item models of the binding, each checked against the model contract while its rows
// are appended, cleared and replaced.

#include <QAbstractItemModelTester>
#include <QIcon>
#include <QPixmap>
#include <QSignalSpy>
#include <QtTest>

#include "ui/drop_down_model.h"
#include "ui/table_model.h"
#include "ui/text_lines_view.h"

namespace {

using Tester = QAbstractItemModelTester;

view::Table two_columns() {
    return view::Table({{"Record Type"}, {"Record Size"}});
}

}  // namespace

class ItemModelsTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void table_model_keeps_the_contract();
    void appended_rows_are_inserted_other_changes_reset();
    void rows_changed_behind_the_model_read_safely();
    void changed_cells_redraw_their_rows_only();
    void toned_rows_keep_the_contract();
    void check_boxes_and_swatches_sit_beside_the_first_cell();
    void drop_down_model_keeps_the_contract();
    void text_lines_model_keeps_the_contract();
};

void ItemModelsTest::table_model_keeps_the_contract() {
    view::Table table = two_columns();
    table.add_row({"OHDR", "120"});
    ui::TableModel model(table);
    Tester tester(&model, Tester::FailureReportingMode::QtTest);

    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString("Record Size"));
    QCOMPARE(model.index(0, 1).data().toString(), QString("120"));
    for (int i = 0; i < 50; ++i) table.add_row({"OBJ2", "8"});
    QVERIFY(model.sync());
    table.clear();
    QVERIFY(model.sync());
    QCOMPARE(model.rowCount(), 0);
    table.add_row({"short row"});  // fewer cells than columns
    QVERIFY(model.sync());
    QCOMPARE(model.index(0, 1).data().toString(), QString());
}

// A row's tone marks its first cell with an icon and a colour; a table with a Fill column
// gives every cell its whole text as tooltip. A cleared table forgets its tones.
void ItemModelsTest::toned_rows_keep_the_contract() {
    view::Table table({{"Severity"}, {"Message", view::Table::Width::Fill}});
    table.add_row({"plain", "a"});
    table.add_row({"error", "b"}, view::Tone::Error);
    table.add_row({"warning", "c"}, view::Tone::Warning);
    table.add_row({"info", "d"}, view::Tone::Info);
    table.add_row({"plain", "e"});
    ui::TableModel model(table);
    Tester tester(&model, Tester::FailureReportingMode::QtTest);

    const auto icon = [&](int row) { return model.index(row, 0).data(Qt::DecorationRole); };
    const auto colour = [&](int row) { return model.index(row, 0).data(Qt::ForegroundRole); };
    for (int row : {0, 4}) QVERIFY(!icon(row).isValid() && !colour(row).isValid());
    for (int row : {1, 2, 3}) QVERIFY(!icon(row).value<QIcon>().isNull());
    QVERIFY(colour(1) != colour(2) && colour(2) != colour(3) && colour(1) != colour(3));
    QVERIFY(!model.index(1, 1).data(Qt::DecorationRole).isValid());
    QCOMPARE(model.index(3, 1).data(Qt::ToolTipRole).toString(), QString("d"));

    table.clear();
    table.add_row({"plain", "f"});
    table.add_row({"plain", "g"});
    QVERIFY(model.sync());
    QVERIFY(!icon(1).isValid());
    QVERIFY(!two_columns().has_fill_column());
}

// Rows with check boxes and swatches: only the first cell has them, only the rows that have a
// state are checkable, and a click on the box asks the logic rather than changing the state.
void ItemModelsTest::check_boxes_and_swatches_sit_beside_the_first_cell() {
    view::Table table = two_columns();
    table.add_row({"Gun points", "1 slot · 2 gun points"});
    table.add_row({"Paths", "none"});
    table.add_row({"Shield mesh", "8 faces"});
    table.checks = {true, false};  // the third row has no box
    table.swatches = {{255, 64, 64}};
    ui::TableModel model(table);
    Tester tester(&model, Tester::FailureReportingMode::QtTest);
    std::vector<int> asked;
    model.on_check = [&asked](int row) { asked.push_back(row); };

    QCOMPARE(model.index(0, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QCOMPARE(model.index(1, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    QVERIFY(!model.index(2, 0).data(Qt::CheckStateRole).isValid());
    QVERIFY(!model.index(0, 1).data(Qt::CheckStateRole).isValid());
    QVERIFY(model.flags(model.index(1, 0)).testFlag(Qt::ItemIsUserCheckable));
    QVERIFY(!model.flags(model.index(2, 0)).testFlag(Qt::ItemIsUserCheckable));
    const QPixmap swatch = model.index(0, 0).data(Qt::DecorationRole).value<QPixmap>();
    QCOMPARE(swatch.toImage().pixelColor(5, 5), QColor(255, 64, 64));
    QVERIFY(!model.index(1, 0).data(Qt::DecorationRole).isValid());

    QVERIFY(model.setData(model.index(1, 0), Qt::Checked, Qt::CheckStateRole));
    QVERIFY(!model.setData(model.index(2, 0), Qt::Checked, Qt::CheckStateRole));
    QCOMPARE(asked, std::vector<int>{1});
    QCOMPARE(model.index(1, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
}

void ItemModelsTest::appended_rows_are_inserted_other_changes_reset() {
    view::Table table = two_columns();
    ui::TableModel model(table);
    QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);

    QVERIFY(!model.sync());
    table.add_row({"TXTR", "20"});
    table.add_row({"PINF", "36"});
    QVERIFY(model.sync());
    QCOMPARE(inserts.count(), 1);
    QCOMPARE(inserts[0][1].toInt(), 0);
    QCOMPARE(inserts[0][2].toInt(), 1);
    table.add_row({"ACEN", "12"});
    QVERIFY(model.sync());
    QCOMPARE(inserts.count(), 2);
    QCOMPARE(inserts[1][1].toInt(), 2);
    QCOMPARE(resets.count(), 0);

    // Cleared and refilled with more rows than before: not an append.
    table.clear();
    for (int i = 0; i < 4; ++i) table.add_row({"GPNT", "4"});
    QVERIFY(model.sync());
    QCOMPARE(resets.count(), 1);
    QCOMPARE(inserts.count(), 2);
    QCOMPARE(model.rowCount(), 4);
    QVERIFY(!model.sync());
}

// Textures arriving one by one change their rows' cells: the rows stay, and each sync redraws
// the rows changed since the last in one signal instead of making every row again.
void ItemModelsTest::changed_cells_redraw_their_rows_only() {
    view::Table table = two_columns();
    std::vector<std::string> status(1000, "probed");
    table.set_source(status.size(), [&status](std::size_t row) {
        return view::Table::Cells{std::to_string(row), status[row]};
    });
    ui::TableModel model(table);
    Tester tester(&model, Tester::FailureReportingMode::QtTest);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    for (const std::size_t row : {700u, 3u, 41u}) {
        status[row] = "PNG, 1 \u00d7 1";
        table.row_changed(row);
    }
    QVERIFY(!model.sync());  // the rows themselves did not change
    QCOMPARE(resets.count(), 0);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed[0][0].toModelIndex().row(), 3);
    QCOMPARE(changed[0][1].toModelIndex().row(), 700);
    QCOMPARE(model.index(41, 1).data().toString(), QString::fromUtf8("PNG, 1 \u00d7 1"));
    QVERIFY(!model.sync());
    QCOMPARE(changed.count(), 1);  // nothing new
    table.row_changed(5000);       // no such row: ignored
    QVERIFY(!model.sync());
    QCOMPARE(changed.count(), 1);
    // Rows made again forget the changes before them.
    table.set_source(2, [](std::size_t row) { return view::Table::Cells{std::to_string(row)}; });
    QVERIFY(table.changed_rows().empty());
    QVERIFY(model.sync());
    QCOMPARE(resets.count(), 1);
}

void ItemModelsTest::rows_changed_behind_the_model_read_safely() {
    view::Table table = two_columns();
    table.add_row({"OHDR", "1"});
    table.add_row({"TXTR", "2"});
    ui::TableModel model(table);
    table.clear();
    // Not synced yet: the model still announces two rows but has nothing to show in them.
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.index(1, 0).data().toString(), QString());
}

void ItemModelsTest::drop_down_model_keeps_the_contract() {
    view::DropDown list;
    list.rows = {"Light 0", "Light 1"};
    ui::DropDownModel model(list);
    Tester tester(&model, Tester::FailureReportingMode::QtTest);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);

    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.index(1, 0).data().toString(), QString("Light 1"));
    QVERIFY(!model.sync());
    list.rows[1] = "Cross Section 1";
    QVERIFY(model.sync());
    QCOMPARE(model.index(1, 0).data().toString(), QString("Cross Section 1"));
    list.clear();
    QVERIFY(model.sync());
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(resets.count(), 2);
}

void ItemModelsTest::text_lines_model_keeps_the_contract() {
    ui::TextLinesModel model;
    Tester tester(&model, Tester::FailureReportingMode::QtTest);
    QCOMPARE(model.rowCount(), 0);
    model.set_text("first\n\nthird\n");
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(model.index(2, 0).data().toString(), QString("third"));
    QCOMPARE(model.line(1), QString());
    QCOMPARE(model.line(3), QString());
    QCOMPARE(model.longest_line(), 0);
    model.set_text("no line feed");
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.line(0), QString("no line feed"));
    model.set_text({});
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.longest_line(), -1);
}

QTEST_MAIN(ItemModelsTest)
#include "item_models_test.moc"
