#pragma once
// Clicks through a read model the way a user would: every record entry the Window menu
// offers, every list in every window that opens (block viewers included), the View menu's
// windows (the Model View, whose markers it toggles, and the Model Check, whose findings it
// double-clicks), then the rows of the record list, and the Model View once more at every detail
// level with its OBJ text and its items clicked. The fuzz target and the robustness tests share it.

#include "shell/frmPOF.h"
#include "view/headless.h"

namespace fuzzing {

// Rows tried per list, so one input stays fast however long its lists are.
inline constexpr int kRowsPerList = 64;

void click_through(shell::frmPOF& form, view::HeadlessWindows& windows,
                   int rows_per_list = kRowsPerList);

}  // namespace fuzzing
