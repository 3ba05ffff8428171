#include "shell/command_line.h"

#include <string_view>

#include "io/text.h"

namespace shell {

namespace {

bool is_option(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-';
}

struct ToolkitOption {
    std::string_view name;
    bool takes_value;
};

// The options the Qt toolkit takes out of the command line itself, with one dash or two.
constexpr ToolkitOption kToolkitOptions[] = {
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qwindowgeometry", true},
    {"qwindowicon", true},
    {"qwindowtitle", true},
    {"display", true},
    {"geometry", true},
    {"style", true},
    {"stylesheet", true},
    {"session", true},
    {"name", true},
    {"title", true},
    {"qmljsdebugger", true},
    {"reverse", false},
    {"widgetcount", false},
    {"nograb", false},
    {"dograb", false},
    {"sync", false},
};

// The toolkit option arg names, if any: "-platform", "--style=fusion".
const ToolkitOption* toolkit_option(const std::string& arg) {
    std::string_view name(arg);
    name.remove_prefix(name.starts_with("--") ? 2 : 1);
    name = name.substr(0, name.find('='));
    for (const ToolkitOption& option : kToolkitOptions) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

}  // namespace

CommandLine parse_command_line(const std::vector<std::string>& args) {
    CommandLine line;
    bool files_only = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (files_only || !is_option(arg)) {
            line.files.push_back(arg);
        } else if (const ToolkitOption* option = toolkit_option(arg)) {
            // Left to the toolkit, with its value when that is the next argument.
            if (option->takes_value && arg.find('=') == std::string::npos) ++i;
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
