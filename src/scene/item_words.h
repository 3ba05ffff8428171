#pragma once
// How the windows name an item's rows ("Slot 1", "Gun 0"), so the Model View's status line
// reads as the windows do.

#include <string>

#include "pof/item_ref.h"

namespace scene {

// "GPNT · Slot 1 · Gun 0": the chunk ID, then each chosen row as its window's list words it.
std::string item_words(const pof::ItemRef& ref);

}  // namespace scene
