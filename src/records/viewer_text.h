#pragma once
// Small text helpers every record viewer uses.

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "io/text.h"
#include "io/vec.h"
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

// Fills list with the rows of the items its record holds ("Point 0", "Point 1", ...) and
// chooses the first, which fills what depends on it. A stored count below two leaves the list
// disabled. Returns whether there is a row.
inline bool offer_rows(view::DropDown& list, std::string_view word, std::int32_t count, int rows) {
    fill_numbered(list, word, rows);
    list.choose(0);
    list.enabled = count >= 2;
    return !list.rows.empty();
}

inline void set_enabled(std::initializer_list<view::Control*> controls, bool enabled) {
    for (auto* c : controls) c->enabled = enabled;
}

inline void blank(std::initializer_list<view::Value*> values) {
    for (auto* v : values) v->text.clear();
}

// A caption beside its value is right-aligned, its value left-aligned.
inline void align_beside(view::Field& field) {
    field.caption.align = view::Align::Right;
    field.value.align = view::Align::Left;
}

// A caption above its value, both centred.
inline void align_above(view::Field& field) {
    field.caption.align = view::Align::Center;
    field.value.align = view::Align::Center;
}

// Column captions and values centred, row captions right-aligned.
inline void align_grid(view::Grid& grid) {
    for (auto& c : grid.columns) c->align = view::Align::Center;
    for (auto& r : grid.rows) r->align = view::Align::Right;
    for (auto& v : grid.cells) v->align = view::Align::Center;
}

}  // namespace records
