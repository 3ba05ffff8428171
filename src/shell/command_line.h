#pragma once
// pofscope's command line: the POF file or VP archive to open at start-up, --help and
// --version.

#include <string>
#include <vector>

namespace shell {

struct CommandLine {
    enum class Action { Start, Help, Version, BadUsage };
    Action action = Action::Start;
    std::vector<std::string> files;  // as given, in order
    std::string error;               // why the command line is bad usage
};

// The arguments after the program's name, before the toolkit has seen them: its own options
// (-platform NAME, -style=NAME, ...) are passed over with their values, any other unknown
// option is bad usage. --help and --version win over everything before a "--"; after "--"
// every argument is a file.
CommandLine parse_command_line(const std::vector<std::string>& args);

std::string usage_text();

// The message box text when more than one file is named.
std::string several_files_message(std::size_t count);

}  // namespace shell
