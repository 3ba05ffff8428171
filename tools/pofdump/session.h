#pragma once
// One pofdump run: read the file through the main window's File > Open, open the viewer
// asked for through its Window-menu entry, make the choices, print the window.

#include <ostream>

#include "options.h"

namespace pofdump {

// Prints the window to out and every message box and complaint to err; returns the exit
// status.
int run(const Options& options, std::ostream& out, std::ostream& err);

// The whole command: parses args (without the program name) and runs them.
int run_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace pofdump
