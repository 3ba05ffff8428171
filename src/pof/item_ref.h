#pragma once
// Where an item of the model shows in the windows: the record entry whose viewer shows it and
// the rows to choose there, as a user (or pofdump's --choose and --open) would choose them.

#include <vector>

#include "pof/record_entries.h"

namespace pof {

struct RowChoice {
    int list;   // from 1, drop-down lists and list views in layout order
    int row;    // from 0
    bool open;  // double-click the list-view row instead of choosing it
    bool operator==(const RowChoice&) const = default;
};

struct ItemRef {
    RecordEntry entry;
    std::vector<RowChoice> choices;  // made in order, each on the window current after the last
    bool operator==(const ItemRef&) const = default;
};

}  // namespace pof
