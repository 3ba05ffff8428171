#pragma once
// Every row of a list view, stored or made on demand, for comparing in one go.

#include <vector>

#include "view/controls.h"

namespace testing_pof {

inline std::vector<view::Table::Cells> rows_of(const view::Table& table) {
    std::vector<view::Table::Cells> rows;
    for (std::size_t i = 0; i < table.row_count(); ++i) rows.push_back(table.cells(i));
    return rows;
}

}  // namespace testing_pof
