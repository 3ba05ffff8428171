#include "ui/table_view.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <limits>

#include "ui/qt_text.h"

namespace ui {

TableView::TableView(view::Table& table, std::function<void()> after_event, QWidget* parent)
    : QTreeView(parent), table_(table), model_(table, this), after_event_(std::move(after_event)) {
    setModel(&model_);
    show_tree();
    setSortingEnabled(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setHeaderHidden(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(true);
    header()->setSectionsMovable(false);
    if (table.has_fill_column()) fill_leftover_width();
    if (table.sortable()) {
        header()->setSectionsClickable(true);
        header()->setSortIndicatorShown(true);
        connect(header(), &QHeaderView::sectionClicked, this, &TableView::header_clicked);
    }
    if (!table.name.empty()) setObjectName(qt_text(table.name));

    // The logic's handler rebuilds the rows; it runs once the view is done with the click.
    model_.on_check = [this](int row) {
        QMetaObject::invokeMethod(
            this,
            [this, row] {
                table_.check(row);
                after_event_();
            },
            Qt::QueuedConnection);
    };
    connect(this, &QAbstractItemView::clicked, this, &TableView::user_clicked);
    connect(this, &QAbstractItemView::doubleClicked, this, &TableView::user_double_clicked);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TableView::selection_changed);
    size_later_.setSingleShot(true);
    size_later_.setInterval(0);
    connect(&size_later_, &QTimer::timeout, this, [this] {
        if (isVisible()) size_columns();
    });
    changes_seen_ = table_.changed_rows().size();
    sync();
}

// The Fill column stretches with the list; the last column keeps its width at the right edge,
// where no scroll bar can hide it.
void TableView::fill_leftover_width() {
    header()->setStretchLastSection(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideRight);
    for (std::size_t c = 0; c < table_.columns.size(); ++c) {
        if (table_.columns[c].width == view::Table::Width::Fill)
            header()->setSectionResizeMode(static_cast<int>(c), QHeaderView::Stretch);
    }
}

QSize TableView::sizeHint() const {
    if (!table_.open_wide) return {360, 240};
    // A list whose long texts are cut short opens at the same width whatever it holds.
    if (table_.has_fill_column()) return {fill_width(), 320};
    if (wide_width_ < 0) wide_width_ = wide_width();
    // Long rows never open it wider than a list whose long texts are cut short.
    return {std::min(wide_width_, fill_width()), 240};
}

// Every column at its fitted width, the frame and a scroll bar beside them. Qt opens a window
// at most two thirds of the screen wide.
int TableView::wide_width() const {
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < model_.columnCount(); ++c) width += fitted_width(c);
    return std::max(width, 360);
}

// About two thirds of the screen, less the window's margins.
int TableView::fill_width() const {
    constexpr int kMargins = 24;
    const QScreen* where = screen();
    const int screen_width = where ? where->availableGeometry().width() : 1024;
    return std::max(screen_width * 2 / 3 - kMargins, 360);
}

int TableView::fitted_width(int column) const {
    return std::max(contents_width(column), header()->sectionSizeHint(column));
}

bool TableView::sync() {
    syncing_ = true;
    const bool changed = model_.sync();
    if (changed) {
        wide_width_ = -1;
        show_tree();
    }
    changed_rows_seen();
    sync_selection();
    sync_order();
    setEnabled(table_.enabled);
    syncing_ = false;
    return changed;
}

// A table with levels shows its rows as a tree, opened all the way down whenever its rows
// change. A double-click is the table's, so it never folds a row.
void TableView::show_tree() {
    const bool tree = model_.is_tree();
    setRootIsDecorated(tree);
    setItemsExpandable(tree);
    setExpandsOnDoubleClick(false);
    if (tree) expandAll();
}

void TableView::sync_order() {
    if (!table_.sortable()) return;
    const Qt::SortOrder order = table_.order.ascending ? Qt::AscendingOrder : Qt::DescendingOrder;
    // Section -1 shows no indicator.
    header()->setSortIndicator(table_.order.column, order);
}

void TableView::header_clicked(int column) {
    table_.sort_by(column);
    after_event_();
}

void TableView::sync_selection() {
    if (!table_.valid(table_.selected) || table_.selected >= model_.shown_rows()) {
        if (currentIndex().isValid() || selectionModel()->hasSelection()) {
            selectionModel()->clear();
        }
        return;
    }
    const QModelIndex wanted = model_.index_of(table_.selected);
    if (model_.table_row(currentIndex()) != table_.selected ||
        !selectionModel()->isRowSelected(wanted.row(), wanted.parent())) {
        setCurrentIndex(wanted);
    }
}

void TableView::size_columns() {
    if (table_.has_fill_column()) return size_beside_fill();
    const int columns = model_.columnCount();
    for (int c = 0; c < columns; ++c) {
        const auto rule = static_cast<std::size_t>(c) < table_.columns.size()
                              ? table_.columns[c].width
                              : view::Table::Width::FitHeaderAndContents;
        if (rule == view::Table::Width::Keep || rule == view::Table::Width::Fill) continue;
        if (rule == view::Table::Width::HalfOfList) {
            header()->resizeSection(c, viewport()->width() / 2);
        } else {
            header()->resizeSection(c, fitted_width(c));
        }
    }
}

namespace {

// The widest width the columns may keep so that together they take at most budget: the
// narrow ones keep theirs, the wide ones are cut to the same width.
int shared_cap(std::vector<int> widths, int budget) {
    std::sort(widths.begin(), widths.end());
    int used = 0;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const int left = static_cast<int>(widths.size() - i);
        if (used + widths[i] * left > budget) return std::max((budget - used) / left, 0);
        used += widths[i];
    }
    return std::numeric_limits<int>::max();
}

}  // namespace

// The columns beside the Fill column take at most two thirds of the list, so it keeps a third.
// The last column keeps its whole width at the right edge; the others are cut where needed,
// the widest first.
void TableView::size_beside_fill() {
    const int columns = model_.columnCount();
    const int last = columns - 1;
    const auto is_fill = [this](int c) {
        return static_cast<std::size_t>(c) < table_.columns.size() &&
               table_.columns[c].width == view::Table::Width::Fill;
    };
    int budget = viewport()->width() * 2 / 3;
    if (last >= 0 && !is_fill(last)) {
        header()->resizeSection(last, fitted_width(last));
        budget -= fitted_width(last);
    }
    std::vector<int> widths;
    for (int c = 0; c < last; ++c) {
        if (!is_fill(c)) widths.push_back(fitted_width(c));
    }
    const int cap = shared_cap(widths, budget);
    for (int c = 0, i = 0; c < last; ++c) {
        if (!is_fill(c)) header()->resizeSection(c, std::min(widths[i++], cap));
    }
}

// Qt measures at most some hundred rows around the visible ones; the row with the longest
// text anywhere in the list is measured as well, so a wide row at the end is not cut.
int TableView::contents_width(int column) const {
    int width = sizeHintForColumn(column);
    const int row = longest_row(column);
    if (row < 0) return width;
    const QModelIndex index = model_.index_of(row, column);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    return std::max(width, itemDelegateForIndex(index)->sizeHint(option, index).width());
}

// The longest row of every column is found in one pass over the rows (a row made on demand
// is made once, not once per column) and kept until the rows change.
int TableView::longest_row(int column) const {
    const auto rows = std::min<std::size_t>(table_.row_count(), model_.shown_rows());
    if (longest_revision_ != table_.revision || longest_rows_count_ != rows) {
        longest_rows_ = longest_rows(rows);
        longest_revision_ = table_.revision;
        longest_rows_count_ = rows;
    }
    const auto c = static_cast<std::size_t>(column);
    return c < longest_rows_.size() ? longest_rows_[c] : -1;
}

std::vector<int> TableView::longest_rows(std::size_t rows) const {
    std::vector<int> longest(table_.columns.size(), rows > 0 ? 0 : -1);
    std::vector<std::size_t> sizes(longest.size(), 0);
    for (std::size_t r = 0; r < rows; ++r) {
        const auto cells = table_.cells(r);
        for (std::size_t c = 0; c < longest.size() && c < cells.size(); ++c) {
            if (cells[c].size() > sizes[c]) {
                sizes[c] = cells[c].size();
                longest[c] = static_cast<int>(r);
            }
        }
    }
    longest_sizes_ = std::move(sizes);
    return longest;
}

// Rows whose cells changed since the view last looked: each is measured against the longest
// of its column (a longest row that got shorter has the rows measured again when next asked),
// and the columns are fitted once the waiting events are handled, however many rows changed.
void TableView::changed_rows_seen() {
    const auto& changed = table_.changed_rows();
    if (changed.size() < changes_seen_) changes_seen_ = 0;  // the rows were made again
    if (changed.size() == changes_seen_) return;
    const bool measured = longest_revision_ == table_.revision &&
                          longest_rows_count_ == table_.row_count() &&
                          longest_sizes_.size() == longest_rows_.size();
    for (std::size_t i = changes_seen_; measured && i < changed.size(); ++i) {
        const auto cells = table_.cells(changed[i]);
        const int row = static_cast<int>(changed[i]);
        for (std::size_t c = 0; c < longest_rows_.size() && c < cells.size(); ++c) {
            if (cells[c].size() > longest_sizes_[c]) {
                longest_sizes_[c] = cells[c].size();
                longest_rows_[c] = row;
            } else if (longest_rows_[c] == row && cells[c].size() < longest_sizes_[c]) {
                longest_rows_count_ = ~std::size_t{0};
            }
        }
    }
    changes_seen_ = changed.size();
    size_later_.start();
}

// The list's width is known only once it is laid out and shown. A tree opened while hidden
// measured its rows at no height; it lays them out again.
void TableView::showEvent(QShowEvent* event) {
    QTreeView::showEvent(event);
    if (model_.is_tree()) doItemsLayout();
    if (sized_on_show_) return;
    sized_on_show_ = true;
    size_columns();
}

// Qt makes the first row current when a list without a selection gets the focus, and draws
// it with the focus frame as if it were chosen. Until a row is selected none is current; the
// arrow keys still start at the first row.
void TableView::focusInEvent(QFocusEvent* event) {
    QTreeView::focusInEvent(event);
    if (!selectionModel()->hasSelection() && currentIndex().isValid()) {
        selectionModel()->clearCurrentIndex();
    }
}

// A right-click only opens the context menu: the logic hears of left clicks alone, so a row
// the right button pressed on would be selected on screen but not in the table.
void TableView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) return;
    QTreeView::mousePressEvent(event);
}

void TableView::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || !currentIndex().isValid()) return QTreeView::keyPressEvent(event);
    user_double_clicked(currentIndex());
    event->accept();
}

void TableView::user_clicked(const QModelIndex& index) {
    if (!index.isValid()) return;
    table_.click(model_.table_row(index));
    after_event_();
}

void TableView::user_double_clicked(const QModelIndex& index) {
    if (!index.isValid()) return;
    table_.double_click(model_.table_row(index));
    after_event_();
}

// Selecting a row with the keyboard counts as a click; a mouse press is left to clicked().
void TableView::selection_changed() {
    if (syncing_ || QGuiApplication::mouseButtons() != Qt::NoButton) return;
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty()) return;
    table_.click(model_.table_row(rows.first()));
    after_event_();
}

}  // namespace ui
