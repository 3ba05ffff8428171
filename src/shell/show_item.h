#pragma once
// "Show me this item": opens the viewer that shows an item and makes the row choices that
// lead to it, exactly as a user's choices (or pofdump's --view, --choose and --open) would.

#include "pof/item_ref.h"
#include "shell/frmPOF.h"
#include "view/desktop.h"

namespace shell {

// Shows the entry's viewer as its Window-menu entry does, then makes each choice on the
// current window; a window that a double-click opens or brings forward becomes current and is
// activated. A choice whose list or row is not there (or whose list is disabled) ends it.
void show_item(frmPOF& form, view::Windows& windows, const pof::ItemRef& item);

}  // namespace shell
