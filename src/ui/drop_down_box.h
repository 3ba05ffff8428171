#pragma once
// Drop-down lists of any length open below their box.

#include <QComboBox>

namespace ui {

// The list opens below the box, as a plain drop-down list. The other form some styles use
// (Fusion among them) places the current row over the box and measures every row of the
// list to do so, which takes a visible pause for 100,000 rows even with rows of one height.
void open_below(QComboBox* box);

}  // namespace ui
