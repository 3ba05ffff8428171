#include "ui/table_model.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <algorithm>

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
    : QAbstractTableModel(parent),
      table_(table),
      shown_rows_(static_cast<int>(table.row_count())),
      shown_columns_(static_cast<int>(table.columns.size())),
      shown_revision_(table.revision),
      shown_changes_(table.changed_rows().size()) {}

int TableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_rows_;
}

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_columns_;
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
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == 0 &&
        static_cast<std::size_t>(index.row()) < table_.checks.size())
        f |= Qt::ItemIsUserCheckable;
    return f;
}

bool TableModel::setData(const QModelIndex& index, const QVariant&, int role) {
    if (role != Qt::CheckStateRole || !index.isValid() || index.column() != 0) return false;
    if (static_cast<std::size_t>(index.row()) >= table_.checks.size() || !on_check) return false;
    on_check(index.row());
    return true;
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    // The table may have changed since the last sync; read only what is still there.
    const auto row = static_cast<std::size_t>(index.row());
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
    return rows > shown_rows_ && static_cast<int>(table_.columns.size()) == shown_columns_ &&
           table_.revision - shown_revision_ == static_cast<std::uint64_t>(rows - shown_rows_);
}

bool TableModel::sync() {
    if (table_.revision == shown_revision_) {
        const auto& changed = table_.changed_rows();
        if (changed.size() <= shown_changes_) return false;
        const auto [first, last] = std::minmax_element(
            changed.begin() + static_cast<std::ptrdiff_t>(shown_changes_), changed.end());
        shown_changes_ = changed.size();
        if (static_cast<int>(*last) < shown_rows_ && shown_columns_ > 0) {
            Q_EMIT dataChanged(index(static_cast<int>(*first), 0),
                               index(static_cast<int>(*last), shown_columns_ - 1));
        }
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
        endResetModel();
    }
    return true;
}

}  // namespace ui
