#pragma once
// "Show me this item": the item's record viewer shown as its Window-menu entry shows it, then
// its rows chosen one after the other as a user would choose them.

#include "pof/item_ref.h"
#include "shell/frmPOF.h"
#include "view/desktop.h"

namespace shell {

// Each choice is made on the current window: first the entry's viewer, then any window a
// double-click opened or brought forward. A list or row that is not there ends the choices.
void show_item(frmPOF& form, view::Windows& windows, const pof::ItemRef& item);

}  // namespace shell
