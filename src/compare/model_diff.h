#pragma once
// What differs between two models: their items matched as a modder thinks of them, then one
// difference per changed value, per item only in one model, and per read that failed.

#include <optional>
#include <string>
#include <vector>

#include "compare/model_items.h"

namespace compare {

struct Difference {
    enum class Kind { Changed, Removed, Added, Unread };
    Kind kind = Kind::Changed;
    pof::RecordEntry entry = pof::RecordEntry::OHDR;
    std::string chunk;               // "GPNT"; for Unread, "A" or "B"
    std::vector<std::string> place;  // below the chunk: "Slot 0", "Gun 1"
    std::string field;               // empty for an item only in one model
    std::string old_text, new_text;
    // The rows that show the item in the first model; in the second for an added item.
    pof::ItemRef ref;
    bool in_second = false;  // ref names rows of the second model

    // "GPNT · Slot 0 · Gun 1"
    std::string place_text() const;
    // "GPNT · Slot 0 · Gun 1 · Mounting Point: (1, 2, 3) -> (1, 2.5, 3)", "- PATH · Path 1"
    std::string line() const;
};

struct DiffOptions {
    double tolerance = 0;  // float differences up to it are no difference
};

// The differences between the items of two models, grouped by chunk in the order the chunks
// first come (the first model's, then the second's).
std::vector<Difference> diff_items(const std::vector<Item>& a, const std::vector<Item>& b,
                                   const DiffOptions& options = {});

// A read of model side ("A" or "B") that failed, and why.
Difference unread(std::string side, std::string why);

inline constexpr const char* kPlaceStep = " \u00b7 ";

}  // namespace compare
