#pragma once
// A per-item table whose items hold different numbers of slots (points per bank, vertices per
// path). It answers as the stored rectangular tables do: a slot past an item's own count, or
// outside the table, reads as zero. It keeps one vector per item, so a damaged file with one
// huge item beside many small ones costs what its entries cost, never items x widest.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "records/table_access.h"

namespace records {

template <class T>
class Jagged {
  public:
    // Makes items empty items (none for a count of zero or less).
    void reset(std::int32_t items) {
        rows_.assign(items > 0 ? static_cast<std::size_t>(items) : 0, {});
        width_ = 1;
    }
    // Gives item its slots; slots stored there before are dropped.
    std::vector<T>& fill(std::int32_t item, std::int32_t slots) {
        auto& row = rows_.at(static_cast<std::size_t>(item));
        row.assign(slots > 0 ? static_cast<std::size_t>(slots) : 0, T{});
        width_ = std::max(width_, static_cast<std::int32_t>(row.size()));
        return row;
    }

    std::int32_t items() const { return static_cast<std::int32_t>(rows_.size()); }
    // Slots of the widest item, at least one, as the stored tables are sized.
    std::int32_t width() const { return width_; }
    // Slots item holds of its own; 0 outside the table.
    std::int32_t slots(std::int64_t item) const {
        return valid(item) ? static_cast<std::int32_t>(rows_[item].size()) : 0;
    }
    T at(std::int64_t item, std::int64_t slot) const {
        if (!valid(item) || slot < 0 || slot >= static_cast<std::int64_t>(rows_[item].size()))
            return T{};
        return rows_[item][slot];
    }

  private:
    bool valid(std::int64_t item) const {
        return item >= 0 && item < static_cast<std::int64_t>(rows_.size());
    }

    std::vector<std::vector<T>> rows_;
    std::int32_t width_ = 1;
};

// The store's rule for jagged tables too: rebuilt for a positive count, untouched otherwise.
template <class T>
bool rebuild_if_positive(Jagged<T>& table, std::int32_t count) {
    if (count <= 0) return false;
    table.reset(count);
    return true;
}

// The rebuild rule over every per-item table of one record at once.
template <class... Tables>
bool rebuild_all_if_positive(std::int32_t count, Tables&... tables) {
    return (rebuild_if_positive(tables, count) && ...);
}

// The rows a list shows for one item of a jagged table: none for a count of 0 or less, never
// more than the item's own slots.
template <class T>
int rows_for(std::int32_t count, const Jagged<T>& table, std::int64_t item) {
    if (count <= 0) return 0;
    return std::min(count, table.slots(item));
}

}  // namespace records
