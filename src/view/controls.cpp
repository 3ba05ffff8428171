#include "view/controls.h"

namespace view {

std::uint64_t next_choice_stamp() {
    static std::uint64_t last = 0;
    return ++last;
}

Grid::Grid(const std::vector<std::string>& column_headers,
           const std::vector<std::string>& row_headers, std::string name)
    : Control(std::move(name)) {
    for (const auto& h : column_headers) columns.push_back(std::make_unique<Caption>(h));
    for (const auto& h : row_headers) rows.push_back(std::make_unique<Caption>(h));
    for (std::size_t i = 0; i < columns.size() * rows.size(); ++i) {
        cells.push_back(std::make_unique<Value>());
    }
}

void Grid::set_column(std::size_t column, const std::vector<std::string>& texts) {
    for (std::size_t r = 0; r < rows.size() && r < texts.size(); ++r)
        cell(r, column).text = texts[r];
}

void Grid::span(std::string text, std::size_t first, std::size_t count) {
    spans.push_back({std::make_unique<Caption>(std::move(text)), first, count});
}

}  // namespace view

namespace view {

void Table::add_row(Cells cells) {
    if (source_) {
        source_ = nullptr;
        source_rows_ = 0;
    }
    rows_.push_back(std::move(cells));
    changed_rows_.clear();
    ++revision;
}

void Table::add_row(Cells cells, Tone tone) {
    add_row(std::move(cells));
    if (tone == Tone::Plain) return;
    tones_.resize(rows_.size(), Tone::Plain);
    tones_.back() = tone;
}

bool Table::has_fill_column() const {
    for (const Column& c : columns) {
        if (c.width == Width::Fill) return true;
    }
    return false;
}

void Table::set_source(std::size_t count, Source make) {
    tones_.clear();
    rows_.clear();
    rows_.shrink_to_fit();
    source_ = std::move(make);
    source_rows_ = source_ ? count : 0;
    changed_rows_.clear();
    ++revision;
}

Table::Cells Table::cells(std::size_t row) const {
    if (row >= row_count()) return {};
    return source_ ? source_(row) : rows_[row];
}

std::string Table::cell(std::size_t row, std::size_t column) const {
    if (!source_) {
        return row < rows_.size() && column < rows_[row].size() ? rows_[row][column] : "";
    }
    Cells made = cells(row);
    return column < made.size() ? std::move(made[column]) : "";
}

}  // namespace view
