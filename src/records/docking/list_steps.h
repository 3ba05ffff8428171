#pragma once
// Steps the docking viewers share: refilling a nested list from a count, switching a set of
// captions on or off, and the alignments their windows fix.

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "records/viewer_text.h"
#include "view/controls.h"

namespace records {

// Enables and refills list with one row per item ("Point 0", "Point 1", ...), never more
// than the table holds, and selects the first row, which runs its handler. A count below two
// leaves the list disabled. Returns whether there is a row.
inline bool refill(view::DropDown& list, std::string_view word, std::int32_t count,
                   std::int64_t held) {
    list.enabled = true;
    fill_numbered(list, word,
                  count <= 0 ? 0 : static_cast<int>(std::min<std::int64_t>(count, held)));
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
