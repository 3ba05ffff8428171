#include "options.h"

#include <charconv>
#include <string_view>

#include "shell/frmPOF.h"

namespace pofdump {

namespace {

constexpr std::size_t kChunkIdLength = 4;

std::optional<int> whole_number(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
    return value;
}

std::optional<Choice> choice_from(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const auto list = whole_number(text.substr(0, colon));
    const auto row = whole_number(text.substr(colon + 1));
    if (!list || !row || *list < 1) return std::nullopt;
    return Choice{*list, *row};
}

class Parser {
  public:
    explicit Parser(const std::vector<std::string>& args) : args_(args) {}
    ParsedOptions run();

  private:
    // The value of an option given as "--name VALUE" or "--name=VALUE".
    std::optional<std::string> value_of(std::string_view name);
    void option(const std::string& arg);
    void view(const std::string& id);
    void choose(const std::string& text);
    void file(const std::string& path);
    void fail(const std::string& why) {
        if (parsed_.error.empty()) parsed_.error = why;
    }

    const std::vector<std::string>& args_;
    std::size_t at_ = 0;
    bool files_only_ = false;
    ParsedOptions parsed_;
};

ParsedOptions Parser::run() {
    for (; at_ < args_.size(); ++at_) {
        const std::string& arg = args_[at_];
        if (!files_only_ && arg == "--") {
            files_only_ = true;
        } else if (!files_only_ && arg.size() > 1 && arg[0] == '-') {
            option(arg);
        } else {
            file(arg);
        }
        if (parsed_.options.action != Options::Action::Dump) return parsed_;
    }
    if (parsed_.options.file.empty()) fail("no FILE given");
    return parsed_;
}

std::optional<std::string> Parser::value_of(std::string_view name) {
    const std::string& arg = args_[at_];
    if (arg == name) {
        if (at_ + 1 >= args_.size()) {
            fail(std::string(name) + " needs a value");
            return std::nullopt;
        }
        return args_[++at_];
    }
    if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
        arg[name.size()] == '=') {
        return arg.substr(name.size() + 1);
    }
    return std::nullopt;
}

void Parser::option(const std::string& arg) {
    if (arg == "--help" || arg == "-h") {
        parsed_.options.action = Options::Action::Help;
    } else if (arg == "--version") {
        parsed_.options.action = Options::Action::Version;
    } else if (arg == "--json") {
        parsed_.options.json = true;
    } else if (arg.starts_with("--view")) {
        if (const auto id = value_of("--view")) {
            view(*id);
        } else if (arg != "--view") {
            fail("unknown option " + arg);
        }
    } else if (arg.starts_with("--choose")) {
        if (const auto text = value_of("--choose")) {
            choose(*text);
        } else if (arg != "--choose") {
            fail("unknown option " + arg);
        }
    } else {
        fail("unknown option " + arg);
    }
}

void Parser::view(const std::string& id) {
    if (parsed_.options.view) return fail("--view may be given once");
    const auto entry = entry_for_view_id(id);
    if (!entry) return fail("no record viewer opens for chunk ID \"" + id + "\"");
    parsed_.options.view = ViewRequest{id, *entry};
}

void Parser::choose(const std::string& text) {
    const auto choice = choice_from(text);
    if (!choice)
        return fail("--choose wants LIST:ROW (LIST from 1, ROW from 0), not \"" + text + "\"");
    parsed_.options.choices.push_back(*choice);
}

void Parser::file(const std::string& path) {
    if (!parsed_.options.file.empty()) return fail("only one FILE may be given");
    if (path.empty()) return fail("the FILE name is empty");
    parsed_.options.file = path;
}

}  // namespace

ParsedOptions parse_options(const std::vector<std::string>& args) {
    return Parser(args).run();
}

std::optional<pof::RecordEntry> entry_for_view_id(const std::string& chunk_id) {
    if (chunk_id.empty() || chunk_id.size() > kChunkIdLength) return std::nullopt;
    std::string padded = chunk_id;
    padded.resize(kChunkIdLength, ' ');
    return shell::entry_for_chunk_id(padded);
}

std::string usage_text() {
    return "Usage: pofdump [--json] [--view ID] [--choose LIST:ROW]... FILE\n"
           "Reads the POF file FILE as File > Open does and prints the main window:\n"
           "its file label, record list and menus.\n"
           "\n"
           "  --view ID          print the record viewer that the Window-menu entry for\n"
           "                     chunk ID opens instead (OHDR, HDR2, TXTR, PINF, ACEN, SOBJ,\n"
           "                     OBJ2, GPNT, MPNT, TGUN, TMIS, SPCL, EYE, SHLD, DOCK, FUEL,\n"
           "                     PATH, INSG)\n"
           "  --choose LIST:ROW  choose row ROW (from 0) of list LIST (from 1, in layout\n"
           "                     order) as a user would; may be repeated, applied in order\n"
           "  --json             print JSON instead of text\n"
           "  --help             print this help\n"
           "  --version          print the version\n"
           "\n"
           "Exit status: 0 after a clean read, 1 when the file cannot be opened, is not a\n"
           "POF file or is damaged, or the viewer cannot be shown, 2 on bad usage.\n";
}

}  // namespace pofdump
