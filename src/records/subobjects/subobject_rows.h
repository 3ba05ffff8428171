#pragma once
// The rows of the subobject window's drop-down list, and which subobject number each shows:
// the header's slots up to a limit, then every slot past it that a chunk filled. The window,
// the Model View and the model check all lead to a subobject through this one mapping.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "records/subobjects/subobject_table.h"

namespace records {

class SubobjectRows {
  public:
    // Slots listed at most when the header announces more: empty slots past them are left
    // out, every slot a chunk filled is still listed.
    static constexpr std::int32_t kListedSlots = 100000;

    SubobjectRows() = default;
    SubobjectRows(const SubobjectTable& table, std::int32_t header_count)
        : listed_(std::clamp(header_count, 0, kListedSlots)) {
        for (const std::int32_t n : table.filled_from(listed_)) {
            if (n < header_count) past_listed_.push_back(n);
        }
    }

    std::size_t size() const { return static_cast<std::size_t>(listed_) + past_listed_.size(); }
    std::int32_t number(std::size_t row) const {
        const auto listed = static_cast<std::size_t>(listed_);
        return row < listed ? static_cast<std::int32_t>(row) : past_listed_[row - listed];
    }
    // The row that shows subobject number; -1 when none does.
    int row_of(std::int32_t number) const {
        if (number < 0) return -1;
        if (number < listed_) return number;
        const auto it = std::lower_bound(past_listed_.begin(), past_listed_.end(), number);
        if (it == past_listed_.end() || *it != number) return -1;
        return listed_ + static_cast<int>(it - past_listed_.begin());
    }

  private:
    std::int32_t listed_ = 0;
    std::vector<std::int32_t> past_listed_;  // ascending
};

}  // namespace records
