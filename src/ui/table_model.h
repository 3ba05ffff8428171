#pragma once
// An item model over a list view's rows. It reads the rows where they are, so a list of
// 100,000 rows costs no more to show than one of 1,000. A table with levels is a tree: each
// row under the nearest row above it with a smaller level.

#include <QAbstractItemModel>
#include <cstdint>
#include <functional>
#include <vector>

#include "view/controls.h"

namespace ui {

class TableModel : public QAbstractItemModel {
    Q_OBJECT

  public:
    explicit TableModel(const view::Table& table, QObject* parent = nullptr);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A click on a row's check box: told to on_check, which has the logic turn it over.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Catches up with the table when its revision moved: rows only appended since are
    // inserted, any other change resets the model. Returns whether the rows changed. Rows
    // whose cells changed since (Table::row_changed) are redrawn in one signal.
    bool sync();

    bool is_tree() const { return !parents_.empty(); }
    // The rows shown, at every level.
    int shown_rows() const { return shown_rows_; }
    // The table's row an index shows, and the index of a table's row (invalid past the rows).
    int table_row(const QModelIndex& index) const;
    QModelIndex index_of(int table_row, int column = 0) const;

    std::function<void(int)> on_check;

  private:
    bool only_appended() const;
    void build_tree();
    void redraw_changed(std::size_t first_change);
    QVariant first_cell_data(std::size_t row, int role) const;

    const view::Table& table_;
    int shown_rows_;
    int shown_columns_;
    std::uint64_t shown_revision_;
    std::size_t shown_changes_;  // of the table's changed rows
    // A tree's shape, by table row: the parent's row (-1 at the top), the place among the
    // parent's children, and the children of each row after those of the top (at 0).
    std::vector<int> parents_, places_;
    std::vector<std::vector<int>> children_;
};

}  // namespace ui
