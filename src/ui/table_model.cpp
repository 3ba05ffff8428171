#include "ui/table_model.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <algorithm>
#include <utility>

#include "ui/qt_text.h"

namespace ui {

namespace {

// Dark enough to read on a light list, light enough to tell apart from plain text.
QColor tone_colour(view::Tone tone) {
    switch (tone) {
        case view::Tone::Error:
            return {0xB7, 0x1C, 0x1C};
        case view::Tone::Warning:
            return {0x9A, 0x5B, 0x00};
        case view::Tone::Info:
            return {0x15, 0x58, 0xB0};
        case view::Tone::Plain:
            break;
    }
    return {};
}

QIcon tone_icon(view::Tone tone) {
    switch (tone) {
        case view::Tone::Error:
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical);
        case view::Tone::Warning:
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
        case view::Tone::Info:
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation);
        case view::Tone::Plain:
            break;
    }
    return {};
}

}  // namespace

TableModel::TableModel(const view::Table& table, QObject* parent)
    : QAbstractItemModel(parent),
      table_(table),
      shown_rows_(static_cast<int>(table.row_count())),
      shown_columns_(static_cast<int>(table.columns.size())),
      shown_revision_(table.revision),
      shown_changes_(table.changed_rows().size()) {
    build_tree();
}

// Each row goes under the nearest row above it with a smaller level.
void TableModel::build_tree() {
    parents_.clear();
    places_.clear();
    children_.clear();
    if (table_.levels.empty()) return;
    const auto rows = static_cast<std::size_t>(shown_rows_);
    parents_.assign(rows, -1);
    places_.assign(rows, 0);
    children_.assign(rows + 1, {});
    std::vector<int> above;  // the rows a later row may go under, the deepest last
    for (std::size_t r = 0; r < rows; ++r) {
        while (!above.empty() && table_.level(above.back()) >= table_.level(r)) above.pop_back();
        const int parent = above.empty() ? -1 : above.back();
        std::vector<int>& siblings =
            children_[parent < 0 ? 0 : static_cast<std::size_t>(parent) + 1];
        parents_[r] = parent;
        places_[r] = static_cast<int>(siblings.size());
        siblings.push_back(static_cast<int>(r));
        above.push_back(static_cast<int>(r));
    }
}

// An index holds the table's row it shows.
QModelIndex TableModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column < 0 || column >= shown_columns_) return {};
    if (!is_tree()) {
        if (parent.isValid() || row >= shown_rows_) return {};
        return createIndex(row, column, static_cast<quintptr>(row));
    }
    if (parent.isValid() && parent.column() != 0) return {};
    const std::vector<int>& rows = children_[parent.isValid() ? parent.internalId() + 1 : 0];
    if (static_cast<std::size_t>(row) >= rows.size()) return {};
    return createIndex(row, column, static_cast<quintptr>(rows[static_cast<std::size_t>(row)]));
}

QModelIndex TableModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || !is_tree()) return {};
    const int above = parents_[child.internalId()];
    if (above < 0) return {};
    return createIndex(places_[static_cast<std::size_t>(above)], 0, static_cast<quintptr>(above));
}

int TableModel::rowCount(const QModelIndex& parent) const {
    if (!is_tree()) return parent.isValid() ? 0 : shown_rows_;
    if (!parent.isValid()) return static_cast<int>(children_[0].size());
    return parent.column() == 0 ? static_cast<int>(children_[parent.internalId() + 1].size()) : 0;
}

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() && !is_tree() ? 0 : shown_columns_;
}

int TableModel::table_row(const QModelIndex& index) const {
    return index.isValid() ? static_cast<int>(index.internalId()) : -1;
}

QModelIndex TableModel::index_of(int table_row, int column) const {
    if (table_row < 0 || table_row >= shown_rows_ || column < 0 || column >= shown_columns_)
        return {};
    const auto r = static_cast<std::size_t>(table_row);
    return createIndex(is_tree() ? places_[r] : table_row, column, static_cast<quintptr>(r));
}

namespace {

// A square of the colour with a grey frame, so white and pale colours show on a white list.
QPixmap swatch(const view::Table::Swatch& c) {
    QPixmap square(12, 12);
    square.fill(QColor(c[0], c[1], c[2]));
    QPainter frame(&square);
    frame.setPen(QColor(110, 110, 110));
    frame.drawRect(0, 0, square.width() - 1, square.height() - 1);
    return square;
}

}  // namespace

// A row's check box and colour swatch, beside its first cell.
QVariant TableModel::first_cell_data(std::size_t row, int role) const {
    if (role == Qt::CheckStateRole && row < table_.checks.size())
        return table_.checks[row] ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::DecorationRole && row < table_.swatches.size())
        return swatch(table_.swatches[row]);
    return {};
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractItemModel::flags(index);
    if (index.isValid() && !is_tree()) f |= Qt::ItemNeverHasChildren;
    if (index.isValid() && index.column() == 0 &&
        static_cast<std::size_t>(table_row(index)) < table_.checks.size())
        f |= Qt::ItemIsUserCheckable;
    return f;
}

bool TableModel::setData(const QModelIndex& index, const QVariant&, int role) {
    if (role != Qt::CheckStateRole || !index.isValid() || index.column() != 0) return false;
    const int row = table_row(index);
    if (static_cast<std::size_t>(row) >= table_.checks.size() || !on_check) return false;
    on_check(row);
    return true;
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    // The table may have changed since the last sync; read only what is still there.
    const auto row = static_cast<std::size_t>(table_row(index));
    const auto column = static_cast<std::size_t>(index.column());
    if (row >= table_.row_count())
        return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
    if (column == 0 && role != Qt::DisplayRole) {
        if (QVariant first = first_cell_data(row, role); first.isValid()) return first;
    }
    switch (role) {
        case Qt::DisplayRole:
            return qt_text(table_.cell(row, column));
        // A table that cuts its texts short shows each whole when the pointer rests on it.
        case Qt::ToolTipRole:
            if (!table_.has_fill_column()) return {};
            return qt_text(table_.cell(row, column));
        // The row's tone marks its first cell.
        case Qt::DecorationRole:
            if (column != 0 || table_.tone(row) == view::Tone::Plain) return {};
            return tone_icon(table_.tone(row));
        case Qt::ForegroundRole:
            if (column != 0 || table_.tone(row) == view::Tone::Plain) return {};
            return QBrush(tone_colour(table_.tone(row)));
        default:
            return {};
    }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    if (section < 0 || section >= shown_columns_) return {};
    if (static_cast<std::size_t>(section) >= table_.columns.size()) return QString();
    return qt_text(table_.columns[section].header);
}

// Every add_row bumps the revision once; a clear bumps it too, so rows that grew by exactly
// as many as the revision moved were appended to the rows already shown.
bool TableModel::only_appended() const {
    const auto rows = static_cast<int>(table_.row_count());
    return !is_tree() && table_.levels.empty() && rows > shown_rows_ &&
           static_cast<int>(table_.columns.size()) == shown_columns_ &&
           table_.revision - shown_revision_ == static_cast<std::uint64_t>(rows - shown_rows_);
}

bool TableModel::sync() {
    if (table_.revision == shown_revision_) {
        const auto& changed = table_.changed_rows();
        if (changed.size() <= shown_changes_) return false;
        redraw_changed(std::exchange(shown_changes_, changed.size()));
        return false;
    }
    shown_changes_ = table_.changed_rows().size();
    const auto rows = static_cast<int>(table_.row_count());
    if (only_appended()) {
        beginInsertRows({}, shown_rows_, rows - 1);
        shown_rows_ = rows;
        shown_revision_ = table_.revision;
        endInsertRows();
    } else {
        beginResetModel();
        shown_rows_ = rows;
        shown_columns_ = static_cast<int>(table_.columns.size());
        shown_revision_ = table_.revision;
        build_tree();
        endResetModel();
    }
    return true;
}

// One signal over a flat list's rows changed since first_change; one per row in a tree, whose
// rows need not share a parent.
void TableModel::redraw_changed(std::size_t first_change) {
    const auto& changed = table_.changed_rows();
    if (shown_columns_ == 0) return;
    if (is_tree()) {
        for (std::size_t i = first_change; i < changed.size(); ++i) {
            const int row = static_cast<int>(changed[i]);
            if (row < shown_rows_)
                Q_EMIT dataChanged(index_of(row, 0), index_of(row, shown_columns_ - 1));
        }
        return;
    }
    const auto [first, last] = std::minmax_element(
        changed.begin() + static_cast<std::ptrdiff_t>(first_change), changed.end());
    if (static_cast<int>(*last) < shown_rows_) {
        Q_EMIT dataChanged(index(static_cast<int>(*first), 0),
                           index(static_cast<int>(*last), shown_columns_ - 1));
    }
}

}  // namespace ui
