#pragma once
// Viewers never look past a table: an index outside it reads as a zero entry.

#include <cstdint>
#include <vector>

namespace records {

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
