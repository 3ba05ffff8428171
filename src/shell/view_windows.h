#pragma once
// Connects the View menu's windows to the main window: how each is made, and the Model View
// following the choices made in the other windows.

#include "pof/global_data.h"
#include "shell/frmPOF.h"
#include "view/desktop.h"

namespace shell {

void install_view_windows(frmPOF& form, const pof::ModelStore& store, view::Windows& windows);

}  // namespace shell
