#pragma once
// Small text helpers every record viewer uses.

#include <string>
#include <string_view>
#include <vector>

#include "pof/text.h"
#include "pof/vec.h"
#include "view/controls.h"

namespace records {

// Drop-down rows: the word, then 0, 1, 2 ... ("Light 0", "Light 1").
inline void fill_numbered(view::DropDown& list, std::string_view word, int count) {
    list.clear();
    list.rows.reserve(count > 0 ? count : 0);
    for (int i = 0; i < count; ++i) list.rows.push_back(std::string(word) + pof::integer_text(i));
}

inline void show_vec(view::Grid& grid, std::size_t column, const pof::Vec3& v) {
    grid.set_column(column, {pof::float_text(v.x), pof::float_text(v.y), pof::float_text(v.z)});
}

inline void blank_column(view::Grid& grid, std::size_t column) {
    grid.set_column(column, {"", "", ""});
}

inline void enable_headers(view::Grid& grid, bool enabled) {
    for (auto& c : grid.columns) c->enabled = enabled;
    for (auto& r : grid.rows) r->enabled = enabled;
}

}  // namespace records
