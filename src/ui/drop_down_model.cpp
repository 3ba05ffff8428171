#include "ui/drop_down_model.h"

#include "ui/qt_text.h"

namespace ui {

DropDownModel::DropDownModel(const view::DropDown& list, QObject* parent)
    : QAbstractListModel(parent), list_(list), shown_(list.rows) {}

int DropDownModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

QVariant DropDownModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(shown_.size())) return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    return qt_text(shown_[index.row()]);
}

bool DropDownModel::sync() {
    if (shown_ == list_.rows) return false;
    beginResetModel();
    shown_ = list_.rows;
    endResetModel();
    return true;
}

}  // namespace ui
