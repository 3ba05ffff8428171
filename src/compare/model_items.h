#pragma once
// The model as a comparison sees it: its items (a chunk's own fields, a subobject, a gun point,
// a path vertex, a BSP block ...), each with the keys it is matched by, the place it is named by
// and the texts of its fields as the windows show them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pof/item_ref.h"

namespace compare {

struct FieldValue {
    std::string caption;
    std::string text;            // as the window shows it; file texts in double quotes
    std::vector<float> numbers;  // the floats the text shows, compared with the tolerance
    // A subobject number: equal when the other model's subobject matched to it has the other
    // number, so a renumbered subobject is one difference and not one per reference.
    std::optional<std::int32_t> subobject;
};

struct Item {
    pof::RecordEntry entry = pof::RecordEntry::OHDR;
    std::string chunk;               // the chunk ID as read ("OBJ2", "GPNT")
    std::vector<std::string> keys;   // per level, what it is matched by ("Slot 0", "$name=bay")
    std::vector<std::string> place;  // per level, as a modder names it ("subObject 1", "Gun 0")
    std::vector<FieldValue> fields;
    pof::ItemRef ref;                       // the rows that show it
    std::optional<std::int32_t> subobject;  // the number of a subobject item
    std::optional<std::int32_t> parent;     // and its parent's

    std::string key() const;
};

// The text between double quotes, as a difference shows a text of the file.
std::string quoted(std::string_view text);

}  // namespace compare
