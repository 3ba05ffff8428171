#pragma once
// A list view in report form over a view::Table: header visible, whole rows selected, a tree
// only for a table with levels. Clicks and double-clicks go to the table's handlers, and Enter on a
// row counts as its double-click. A sortable table's column headers are clickable and show the
// order the logic sorted the rows in; the view itself never sorts.

#include <QTimer>
#include <QTreeView>
#include <cstdint>
#include <functional>
#include <vector>

#include "ui/table_model.h"
#include "view/controls.h"

namespace ui {

class TableView : public QTreeView {
    Q_OBJECT

  public:
    // after_event runs after each of the user's clicks has been handled.
    TableView(view::Table& table, std::function<void()> after_event, QWidget* parent = nullptr);

    // Rows (only if their revision moved), selection and enabled state from the table.
    // Returns whether the rows changed. Rows whose cells changed are redrawn, and the columns
    // fitted once the events waiting now are handled: once for a batch of changes.
    bool sync();
    // Each column by its width rule; the last one (or the Fill column) also takes the
    // remaining width.
    void size_columns();
    TableModel& table_model() { return model_; }
    // A table that opens wide asks for the width of all its columns.
    QSize sizeHint() const override;

  protected:
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void sync_selection();
    void sync_order();
    void show_tree();
    void header_clicked(int column);
    int contents_width(int column) const;
    int fitted_width(int column) const;
    int wide_width() const;
    int fill_width() const;
    void fill_leftover_width();
    void size_beside_fill();
    int longest_row(int column) const;
    std::vector<int> longest_rows(std::size_t rows) const;
    void changed_rows_seen();
    void user_clicked(const QModelIndex& index);
    void user_double_clicked(const QModelIndex& index);
    void selection_changed();

    view::Table& table_;
    TableModel model_;
    std::function<void()> after_event_;
    bool syncing_ = false;
    bool sized_on_show_ = false;
    mutable int wide_width_ = -1;            // measured once the widget is polished; -1 until then
    mutable std::vector<int> longest_rows_;  // per column, for the rows of one revision
    mutable std::vector<std::size_t> longest_sizes_;  // the bytes of each of those cells
    mutable std::uint64_t longest_revision_ = 0;
    mutable std::size_t longest_rows_count_ = 0;
    std::size_t changes_seen_ = 0;  // of the table's changed rows
    QTimer size_later_;             // fits the columns after a batch of changed rows
};

}  // namespace ui
