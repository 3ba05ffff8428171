#include "ui/text_lines_view.h"

#include <QHeaderView>
#include <algorithm>

namespace ui {

void TextLinesModel::set_text(QString text) {
    beginResetModel();
    text_ = std::move(text);
    starts_.clear();
    if (!text_.isEmpty()) {
        starts_.push_back(0);
        for (qsizetype at = text_.indexOf(u'\n'); at >= 0; at = text_.indexOf(u'\n', at + 1)) {
            starts_.push_back(at + 1);
        }
        starts_.push_back(text_.size() + 1);  // as if a line feed followed the last line
    }
    endResetModel();
}

int TextLinesModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || starts_.empty()) return 0;
    return static_cast<int>(starts_.size() - 1);
}

QString TextLinesModel::line(int row) const {
    if (row < 0 || row >= rowCount()) return {};
    const qsizetype start = starts_[row];
    return text_.mid(start, starts_[row + 1] - 1 - start);
}

QVariant TextLinesModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return line(index.row());
}

int TextLinesModel::longest_line() const {
    int longest = -1;
    qsizetype length = -1;
    for (int row = 0; row < rowCount(); ++row) {
        const qsizetype l = starts_[row + 1] - starts_[row];
        if (l > length) {
            length = l;
            longest = row;
        }
    }
    return longest;
}

TextLinesView::TextLinesView(QWidget* parent) : QTreeView(parent), model_(this) {
    setModel(&model_);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideNone);
    header()->setStretchLastSection(false);
}

void TextLinesView::set_text(QString text) {
    model_.set_text(std::move(text));
    const int longest = model_.longest_line();
    longest_width_ = longest < 0 ? 0 : fontMetrics().horizontalAdvance(model_.line(longest));
    fit_column();
}

// The column is as wide as the longest line, and at least as wide as the view: long lines
// scroll sideways.
void TextLinesView::fit_column() {
    const int margins = 4 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    setColumnWidth(0, std::max(viewport()->width(), longest_width_ + margins));
}

void TextLinesView::resizeEvent(QResizeEvent* event) {
    QTreeView::resizeEvent(event);
    fit_column();
}

QString TextLinesView::selected_text() const {
    QModelIndexList rows = selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QStringList lines;
    for (const QModelIndex& row : rows) lines << model_.line(row.row());
    return lines.join(u'\n');
}

int TextLinesView::height_for_lines(int lines) const {
    const int row = fontMetrics().height() + 4;
    return lines * row + 2 * frameWidth();
}

}  // namespace ui
