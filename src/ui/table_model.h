#pragma once
// An item model over a list view's rows. It reads the rows where they are, so a list of
// 100,000 rows costs no more to show than one of 1,000.

#include <QAbstractTableModel>
#include <cstdint>
#include <functional>

#include "view/controls.h"

namespace ui {

class TableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit TableModel(const view::Table& table, QObject* parent = nullptr);

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

    std::function<void(int)> on_check;

  private:
    bool only_appended() const;
    QVariant first_cell_data(std::size_t row, int role) const;

    const view::Table& table_;
    int shown_rows_;
    int shown_columns_;
    std::uint64_t shown_revision_;
    std::size_t shown_changes_;  // of the table's changed rows
};

}  // namespace ui
