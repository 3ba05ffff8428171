#include "shell/command_line.h"

#include "io/text.h"

namespace shell {

namespace {

bool is_option(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-';
}

}  // namespace

CommandLine parse_command_line(const std::vector<std::string>& args) {
    CommandLine line;
    bool files_only = false;
    for (const std::string& arg : args) {
        if (files_only || !is_option(arg)) {
            line.files.push_back(arg);
        } else if (arg == "--") {
            files_only = true;
        } else if (arg == "--help" || arg == "-h") {
            return {CommandLine::Action::Help, {}, {}};
        } else if (arg == "--version") {
            return {CommandLine::Action::Version, {}, {}};
        } else if (line.error.empty()) {
            line.error = "unknown option " + arg;
        }
    }
    if (!line.error.empty()) line.action = CommandLine::Action::BadUsage;
    return line;
}

std::string usage_text() {
    return "Usage: pofscope [FILE]\n"
           "Opens the main window and reads the POF model FILE into it as File > Open does;\n"
           "a FILE that is a VP archive opens in the archive window, from which its models\n"
           "open. Without FILE the window starts empty.\n"
           "\n"
           "  --help     print this help\n"
           "  --version  print the version\n"
           "  --         every argument after it is a file, even one starting with '-'\n";
}

std::string several_files_message(std::size_t count) {
    return "Cannot open " + pof::integer_text(static_cast<std::int64_t>(count)) +
           " files at once: pofscope shows one POF file at a time.";
}

}  // namespace shell
