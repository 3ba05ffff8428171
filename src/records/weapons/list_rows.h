#pragma once
// Filling a viewer's numbered drop-down list from a count. Generic: any chunk viewer with
// per-item lists can use these.

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "records/jagged.h"
#include "records/viewer_text.h"
#include "view/controls.h"

namespace records {

// The rows a list shows for one item of a jagged table: none for a count of 0 or less, never
// more than the item's own slots.
template <class T>
int rows_for(std::int32_t count, const Jagged<T>& table, std::int64_t item) {
    if (count <= 0) return 0;
    return std::min(count, table.slots(item));
}

// Empties the list and gives it rows numbered from 0 ("Gun 0", "Gun 1", ...); the first is
// chosen, which fills what depends on it. A list of fewer than two items is disabled.
inline void offer_rows(view::DropDown& list, std::string_view word, std::int32_t count, int rows) {
    list.clear();
    if (rows > 0) {
        fill_numbered(list, word, rows);
        list.choose(0);
    }
    list.enabled = count >= 2;
}

}  // namespace records
