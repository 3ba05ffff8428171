#pragma once
// The main window in the text form of the viewers: the file label, the record list, then the
// File and Window menus with every entry's caption and enabled state.

#include <ostream>
#include <string>

#include "shell/frmPOF.h"

namespace shell {

void write_main_window_text(const frmPOF& form, std::ostream& out);
std::string main_window_text(const frmPOF& form);

}  // namespace shell
