#pragma once
// Where an item of the model is shown: the record viewer to open and the rows to choose in
// it, as a user (or pofdump's --view, --choose and --open) would.

#include <vector>

#include "pof/chunk_kinds.h"

namespace pof {

// A row of a list of the current window: the list counts from 1 in layout order, the row
// from 0. open: double-click it (a list view row) instead of choosing it.
struct RowChoice {
    int list = 0;
    int row = 0;
    bool open = false;
    bool operator==(const RowChoice&) const = default;
};

struct ItemRef {
    RecordEntry entry = RecordEntry::OHDR;
    std::vector<RowChoice> choices;
    bool operator==(const ItemRef&) const = default;
};

}  // namespace pof
