#include "view/controls.h"

namespace view {

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
