#pragma once
// A combo box set up for lists of any length: opening, scrolling and sizing it cost what the
// visible rows cost, not what all rows cost.

#include <QComboBox>
#include <string>
#include <vector>

namespace ui {

QComboBox* make_drop_down_box();

// Widens the box, never narrows it, so its longest row so far fits; counted in characters,
// so no row is measured in the font.
void fit_rows(QComboBox* box, const std::vector<std::string>& rows);

}  // namespace ui
