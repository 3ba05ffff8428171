#pragma once
// The store's table rules: a table is rebuilt only for a positive count, and viewers never
// look past a table (an index outside it reads as a zero entry).

#include <algorithm>
#include <cstdint>
#include <vector>

namespace records {

// Sizes table to count fresh entries when the count is positive and returns true; a count of
// zero or less leaves the table as an earlier chunk left it and returns false (nothing follows
// in the file for it).
template <class Table>
bool rebuild_if_positive(Table& table, std::int32_t count) {
    if (count <= 0) return false;
    table.assign(static_cast<std::size_t>(count), {});
    return true;
}

template <class T>
T entry_or_zero(const std::vector<T>& table, std::int64_t i) {
    return i >= 0 && i < static_cast<std::int64_t>(table.size()) ? table[i] : T{};
}

// The rows a list shows for a count: none for 0 or less, never more than the table holds.
template <class T>
int rows_for(std::int32_t count, const std::vector<T>& table) {
    if (count <= 0) return 0;
    return static_cast<int>(std::min<std::int64_t>(count, table.size()));
}

}  // namespace records
