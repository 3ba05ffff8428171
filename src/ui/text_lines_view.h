#pragma once
// A read-only view of a text of many lines: one row per line over an item model, all rows of
// one height, so only the lines on screen are laid out. A text of a million lines shows at
// once and scrolls as usual, where a label lays out every line and a text document keeps
// hundreds of bytes per line. Whole lines are selected and copied.

#include <QAbstractListModel>
#include <QTreeView>
#include <vector>

namespace ui {

class TextLinesModel : public QAbstractListModel {
    Q_OBJECT

  public:
    using QAbstractListModel::QAbstractListModel;
    // A line feed ends a line; a text that ends in one ends with an empty line.
    void set_text(QString text);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QString line(int row) const;
    int longest_line() const;  // its row, -1 without lines

  private:
    QString text_;
    std::vector<qsizetype> starts_;  // where each line starts, then one past the text
};

class TextLinesView : public QTreeView {
    Q_OBJECT

  public:
    explicit TextLinesView(QWidget* parent = nullptr);
    void set_text(QString text);
    int line_count() const { return model_.rowCount(); }
    QString line(int row) const { return model_.line(row); }
    // The selected lines in their order, joined by line feeds.
    QString selected_text() const;
    // Height for this many lines, frame included.
    int height_for_lines(int lines) const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void fit_column();

    TextLinesModel model_;
    int longest_width_ = 0;
};

}  // namespace ui
