#pragma once
// How the windows name an item's rows ("Slot 1", "Gun 0"), so the Model View's status line
// reads as the windows do.

#include <string>
#include <string_view>

#include "pof/item_ref.h"

namespace scene {

// "GPNT · Slot 1 · Gun 0": the chunk ID, then each chosen row as its window's list words it.
// A subobject item is named by subobject_id when given ("OBJ2" where the file has OBJ2
// chunks), else by the kind's first ID.
std::string item_words(const pof::ItemRef& ref, std::string_view subobject_id = {});

}  // namespace scene
