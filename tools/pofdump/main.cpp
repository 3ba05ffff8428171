// pofdump: prints a POF file's main window or one of its record viewers as text or JSON.

#include <iostream>
#include <string>
#include <vector>

#include "session.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return pofdump::run_command(args, std::cout, std::cerr);
}
