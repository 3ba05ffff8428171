#pragma once
// The rows of a drop-down list as an item model for a QComboBox. It keeps a copy of the
// rows it shows, so it notices any change and always answers what it announced.

#include <QAbstractListModel>
#include <string>
#include <vector>

#include "view/controls.h"

namespace ui {

class DropDownModel : public QAbstractListModel {
    Q_OBJECT

  public:
    explicit DropDownModel(const view::DropDown& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Resets the model when the list's rows changed. Returns whether they did.
    bool sync();

  private:
    const view::DropDown& list_;
    std::vector<std::string> shown_;
};

}  // namespace ui
