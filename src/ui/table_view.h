#pragma once
// A list view in report form over a view::Table: header visible, no tree decoration, no
// sorting, whole rows selected. Clicks and double-clicks go to the table's handlers.

#include <QTreeView>
#include <functional>

#include "ui/table_model.h"
#include "view/controls.h"

namespace ui {

class TableView : public QTreeView {
    Q_OBJECT

  public:
    // after_event runs after each of the user's clicks has been handled.
    TableView(view::Table& table, std::function<void()> after_event, QWidget* parent = nullptr);

    // Rows (only if their revision moved), selection and enabled state from the table.
    // Returns whether the rows changed.
    bool sync();
    // Each column by its width rule; the last one also takes the remaining width.
    void size_columns();
    TableModel& table_model() { return model_; }
    // A table that opens wide asks for the width of all its columns.
    QSize sizeHint() const override;

  protected:
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void sync_selection();
    int contents_width(int column) const;
    int fitted_width(int column) const;
    int wide_width() const;
    int longest_row(int column) const;
    void user_clicked(const QModelIndex& index);
    void user_double_clicked(const QModelIndex& index);
    void selection_changed();

    view::Table& table_;
    TableModel model_;
    std::function<void()> after_event_;
    bool syncing_ = false;
    bool sized_on_show_ = false;
    mutable int wide_width_ = -1;  // measured once the widget is polished; -1 until then
};

}  // namespace ui
