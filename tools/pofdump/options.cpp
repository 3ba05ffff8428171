#include "options.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "picture_file.h"
#include "pof/chunk_kinds.h"
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

// "--view ID" and its description, the chunk IDs taken from the table of chunk kinds so that a
// new kind is listed without a word here, wrapped as the rest of the help is.
std::string view_option_text() {
    std::string words = "choose the Window-menu entry for chunk ID (";
    bool first = true;
    for (const pof::ChunkKind& kind : pof::chunk_kinds()) {
        for (const pof::ChunkId& id : kind.ids) {
            if (id.id.empty()) continue;
            if (!first) words += ", ";
            words += id.id.substr(0, id.id.find_last_not_of(' ') + 1);
            first = false;
        }
    }
    words += "), or MODEL for View > Model View; its window becomes current";
    constexpr std::size_t kIndent = 21, kWidth = 86;
    std::string out = "  --view ID          ";
    std::size_t column = kIndent;
    std::size_t at = 0;
    while (at < words.size()) {
        const std::size_t end = std::min(words.find(' ', at), words.size());
        const std::size_t length = end - at;
        if (column > kIndent && column + 1 + length > kWidth) {
            out += "\n" + std::string(kIndent, ' ');
            column = kIndent;
        } else if (column > kIndent) {
            out += ' ';
            ++column;
        }
        out.append(words, at, length);
        column += length;
        at = end + 1;
    }
    return out + "\n";
}

class Parser {
  public:
    explicit Parser(const std::vector<std::string>& args) : args_(args) {}
    ParsedOptions run();

  private:
    // The value of an option given as "--name VALUE" or "--name=VALUE".
    std::optional<std::string> value_of(std::string_view name);
    void option(const std::string& arg);
    // An option that takes a value: hands the value to take and returns true when arg is it.
    bool valued(const std::string& arg, std::string_view name,
                void (Parser::*take)(const std::string&));
    void view(const std::string& id);
    void choose(const std::string& text);
    void open(const std::string& text);
    void list_row(Step::Kind kind, const std::string& option, const std::string& text);
    void window(const std::string& name);
    void read(const std::string& path);
    void compare(const std::string& path);
    void obj(const std::string& path);
    void png(const std::string& path);
    void thumbnail(const std::string& path);
    void picture(Step::Kind kind, const std::string& option, const std::string& path);
    void size(const std::string& text);
    void textures(const std::string& folder);
    void member(const std::string& path);
    void type(const std::string& text);
    void sort(const std::string& text);
    void file(const std::string& path);
    void finish();
    void finish_diff();
    void tolerance(const std::string& text);
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
        if (parsed_.options.action == Options::Action::Help ||
            parsed_.options.action == Options::Action::Version) {
            return parsed_;
        }
    }
    finish();
    return parsed_;
}

// A dump reads one file and may take steps; a check reads every file and takes none.
void Parser::finish() {
    Options& o = parsed_.options;
    if (o.codes) {
        if (o.action != Options::Action::Check) return fail("--codes goes with --check");
        if (!o.files.empty() || !o.steps.empty() || !o.texture_folders.empty())
            return fail("--check --codes takes no FILE and no other option but --json");
        return;
    }
    if (o.files.empty()) return fail("no FILE given");
    if (o.action == Options::Action::Diff) return finish_diff();
    if (o.action == Options::Action::Check) {
        if (o.all) return fail("--all cannot be combined with --check");
        if (!o.steps.empty()) {
            fail(
                "--check cannot be combined with --view, --choose, --open, --window, "
                "--member, --type or --sort");
        }
        return;
    }
    if (o.files.size() > 1) return fail("only one FILE may be given");
    if (o.all && std::any_of(o.steps.begin(), o.steps.end(), [](const Step& s) {
            return s.kind != Step::Kind::Member && s.kind != Step::Kind::Read;
        })) {
        return fail("--all goes through every window itself: it takes only --member and --read");
    }
    const bool pictures = std::any_of(o.steps.begin(), o.steps.end(), [](const Step& s) {
        return s.kind == Step::Kind::Png || s.kind == Step::Kind::Thumb;
    });
    if (o.size_given && !pictures) return fail("--size goes with --png or --thumbnail");
    o.file = o.files.front();
}

// --diff compares two models and takes no step; --tolerance goes with it alone.
void Parser::finish_diff() {
    const Options& o = parsed_.options;
    if (o.files.size() != 2) return fail("--diff wants two FILEs, A and B");
    if (!o.steps.empty() || !o.texture_folders.empty() || o.size_given)
        return fail("--diff takes no other option but --json and --tolerance");
}

void Parser::tolerance(const std::string& text) {
    double value = -1;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !(value >= 0))
        return fail("--tolerance wants a number of 0 or more, not \"" + text + "\"");
    parsed_.options.tolerance = value;
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
    } else if (arg == "--check") {
        parsed_.options.action = Options::Action::Check;
    } else if (arg == "--diff") {
        parsed_.options.action = Options::Action::Diff;
    } else if (arg == "--json") {
        parsed_.options.json = true;
    } else if (arg == "--all") {
        parsed_.options.all = true;
    } else if (arg == "--codes") {
        parsed_.options.codes = true;
    } else if (!valued(arg, "--view", &Parser::view) && !valued(arg, "--choose", &Parser::choose) &&
               !valued(arg, "--open", &Parser::open) && !valued(arg, "--window", &Parser::window) &&
               !valued(arg, "--read", &Parser::read) && !valued(arg, "--obj", &Parser::obj) &&
               !valued(arg, "--compare", &Parser::compare) &&
               !valued(arg, "--member", &Parser::member) && !valued(arg, "--type", &Parser::type) &&
               !valued(arg, "--sort", &Parser::sort) && !valued(arg, "--png", &Parser::png) &&
               !valued(arg, "--thumbnail", &Parser::thumbnail) &&
               !valued(arg, "--size", &Parser::size) &&
               !valued(arg, "--textures", &Parser::textures) &&
               !valued(arg, "--tolerance", &Parser::tolerance)) {
        fail("unknown option " + arg);
    }
}

bool Parser::valued(const std::string& arg, std::string_view name,
                    void (Parser::*take)(const std::string&)) {
    if (!arg.starts_with(name)) return false;
    if (const auto value = value_of(name)) {
        (this->*take)(*value);
        return true;
    }
    return arg == name;  // "--view" without its value: value_of said so
}

void Parser::view(const std::string& id) {
    if (id == "MODEL") {
        Step step;
        step.kind = Step::Kind::View;
        step.view = ViewRequest{id, pof::RecordEntry::OHDR, true};
        parsed_.options.steps.push_back(step);
        return;
    }
    const auto entry = entry_for_view_id(id);
    if (!entry) return fail("no record viewer opens for chunk ID \"" + id + "\"");
    Step step;
    step.kind = Step::Kind::View;
    step.view = ViewRequest{id, *entry};
    parsed_.options.steps.push_back(step);
}

void Parser::choose(const std::string& text) {
    list_row(Step::Kind::Choose, "--choose", text);
}

void Parser::open(const std::string& text) {
    list_row(Step::Kind::Open, "--open", text);
}

void Parser::list_row(Step::Kind kind, const std::string& option, const std::string& text) {
    const auto choice = choice_from(text);
    if (!choice) {
        return fail(option + " wants LIST:ROW (LIST from 1, ROW from 0), not \"" + text + "\"");
    }
    Step step;
    step.kind = kind;
    step.choice = *choice;
    parsed_.options.steps.push_back(step);
}

void Parser::window(const std::string& name) {
    if (name.empty()) return fail("--window wants a window name");
    Step step;
    step.kind = Step::Kind::Window;
    step.window = name;
    parsed_.options.steps.push_back(step);
}

void Parser::read(const std::string& path) {
    if (path.empty()) return fail("--read wants a FILE name");
    Step step;
    step.kind = Step::Kind::Read;
    step.file = path;
    parsed_.options.steps.push_back(step);
}

void Parser::compare(const std::string& path) {
    if (path.empty()) return fail("--compare wants a FILE name");
    Step step;
    step.kind = Step::Kind::Compare;
    step.file = path;
    parsed_.options.steps.push_back(step);
}

void Parser::obj(const std::string& path) {
    if (path.empty()) return fail("--obj wants a file name");
    Step step;
    step.kind = Step::Kind::Obj;
    step.output_path = path;
    parsed_.options.steps.push_back(step);
}

void Parser::png(const std::string& path) {
    picture(Step::Kind::Png, "--png", path);
}

void Parser::thumbnail(const std::string& path) {
    picture(Step::Kind::Thumb, "--thumbnail", path);
}

void Parser::picture(Step::Kind kind, const std::string& option, const std::string& path) {
    if (path.empty()) return fail(option + " wants a file name");
    Step step;
    step.kind = kind;
    step.output_path = path;
    parsed_.options.steps.push_back(step);
}

// W or WxH, in digits, each side checked here once for every step that draws a picture.
void Parser::size(const std::string& text) {
    // The digits without their leading zeros ("0" for zero), or nothing when not digits.
    const auto side = [](std::string_view digits) -> std::optional<std::string_view> {
        if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
            return std::nullopt;
        const auto first = digits.find_first_not_of('0');
        return first == std::string_view::npos ? std::string_view("0") : digits.substr(first);
    };
    const auto x = text.find('x');
    const auto width = side(std::string_view(text).substr(0, x));
    const auto height = x == std::string::npos ? width : side(std::string_view(text).substr(x + 1));
    if (!width || !height) {
        return fail("--size wants W or WxH in pixels, not \"" + text + "\"");
    }
    Options& o = parsed_.options;
    o.size_given = true;
    if (auto why = refuse_size(*width, *height)) {
        o.size_refused = *why;
        o.picture_width = o.picture_height = 0;
        return;
    }
    o.size_refused.clear();
    o.picture_width = std::stoi(std::string(*width));
    o.picture_height = std::stoi(std::string(*height));
}

void Parser::textures(const std::string& folder) {
    if (folder.empty()) return fail("--textures wants a folder");
    parsed_.options.texture_folders.push_back(folder);
}

void Parser::member(const std::string& path) {
    if (path.empty()) return fail("--member wants the PATH of a file in the archive");
    Step step;
    step.kind = Step::Kind::Member;
    step.member = path;
    parsed_.options.steps.push_back(step);
}

void Parser::type(const std::string& text) {
    const auto colon = text.find(':');
    const auto input = whole_number(std::string_view(text).substr(0, colon));
    if (colon == std::string::npos || !input || *input < 1) {
        return fail("--type wants INPUT:TEXT (INPUT from 1), not \"" + text + "\"");
    }
    Step step;
    step.kind = Step::Kind::Type;
    step.input = *input;
    step.text = text.substr(colon + 1);
    parsed_.options.steps.push_back(step);
}

void Parser::sort(const std::string& text) {
    const auto choice = choice_from(text);
    if (!choice) {
        return fail("--sort wants LIST:COLUMN (LIST from 1, COLUMN from 0), not \"" + text + "\"");
    }
    Step step;
    step.kind = Step::Kind::Sort;
    step.choice = *choice;
    parsed_.options.steps.push_back(step);
}

void Parser::file(const std::string& path) {
    if (path.empty()) return fail("the FILE name is empty");
    parsed_.options.files.push_back(path);
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
    return "Usage: pofdump [--json] [--textures DIR]... [--view ID | --choose LIST:ROW |\n"
           "               --open LIST:ROW | --window NAME | --read FILE | --obj FILE |\n"
           "               --member PATH | --type INPUT:TEXT | --sort LIST:COLUMN |\n"
           "               --png FILE | --thumbnail FILE | --compare FILE]...\n"
           "               [--size W[xH]] FILE\n"
           "       pofdump --all [--json] [--member PATH] FILE\n"
           "       pofdump --check [--json] [--textures DIR]... FILE|FOLDER...\n"
           "       pofdump --check --codes [--json]\n"
           "       pofdump --diff [--json] [--tolerance X] A B\n"
           "Reads the POF file FILE as File > Open does, then does what the options say, in\n"
           "their order, as a user would, and prints the current window: the main window\n"
           "(its file label, record list and menus) until another window becomes current.\n"
           "A FILE that is a VP archive opens in the archive window, which becomes current.\n"
           "\n" +
           view_option_text() +
           "  --choose LIST:ROW  choose row ROW (from 0) of list LIST (from 1, in layout\n"
           "                     order) of the current window: pick it in a drop-down list,\n"
           "                     click it in a list view\n"
           "  --open LIST:ROW    double-click row ROW of list view LIST of the current window\n"
           "                     (the main window's record list is list 1); a window it opens\n"
           "                     or brings forward becomes current\n"
           "  --window NAME      switch to the open window NAME (frmSOBJ, frmFLATPOLY, ...,\n"
           "                     frmPOF for the main window); it is activated and becomes\n"
           "                     current\n"
           "  --read FILE        File > Open of FILE in the same run: the reset closes every\n"
           "                     window, then FILE is read; the main window becomes current\n"
           "  --compare FILE     View > Compare With... FILE (or ARCHIVE.vp:PATH): the Compare\n"
           "                     window opens and becomes current; the Model View then lists\n"
           "                     \"Show the other model\" last among its layers\n"
           "  --member PATH      open the file PATH (case ignored) of the archive window in\n"
           "                     the main window, as a double-click on its row does; the\n"
           "                     main window becomes current\n"
           "  --type INPUT:TEXT  type TEXT into text input INPUT (from 1, in layout order) of\n"
           "                     the current window: the archive window's filter is input 1\n"
           "  --sort LIST:COLUMN click the header of column COLUMN (from 0) of list view LIST;\n"
           "                     a second click on it reverses the order\n"
           "  --check            check each FILE, read as File > Open reads it, and print one\n"
           "                     line per finding, FILE:OFFSET: SEVERITY: PLACE: MESSAGE\n"
           "                     [CODE], then FILE: N errors, N warnings, N notes; exit 1\n"
           "                     when a file has an error. An archive checks each POF model\n"
           "                     in it (ARCHIVE.vp/data/models/ship.pof:OFFSET: ...), a\n"
           "                     FOLDER each *.pof and *.vp under it, in path order; their\n"
           "                     summary line counts the files too\n"
           "  --diff A B         compare the models A and B (either may be ARCHIVE.vp:PATH, a\n"
           "                     member of an archive) and print one line per changed value,\n"
           "                     PLACE · FIELD: OLD -> NEW, '- PLACE' for an item only in A,\n"
           "                     '+ PLACE' for one only in B, '! A: WHY' for a read that\n"
           "                     failed; nothing when the values are the same. Exit 0 same,\n"
           "                     1 different, 2 when a file cannot be opened or is not POF\n"
           "  --tolerance X      with --diff: float differences up to X are no difference\n"
           "  --codes            with --check and no FILE: print the table of every code the\n"
           "                     check gives (code, severity, what it finds, what the game\n"
           "                     does), one tab-separated line each after a header line\n"
           "  --obj FILE         write what the Model View draws (opened first if it is not\n"
           "                     open) as Wavefront OBJ to FILE, its materials beside it\n"
           "                     (FILE with .mtl for its suffix)\n"
           "  --png FILE         write what the Model View shows (opened first if it is not\n"
           "                     open: its detail level and markers as chosen so far) as a\n"
           "                     PNG picture to FILE, from the fitted view, 512 x 512\n"
           "  --thumbnail FILE   write the model's thumbnail to FILE: detail level 0 without\n"
           "                     markers on a transparent square, 256 pixels a side\n"
           "  --size W[xH]       the size in pixels of the pictures --png and --thumbnail\n"
           "                     write, 1 to 8192 a side (a thumbnail takes the larger)\n"
           "  --textures DIR     look for texture files in DIR first, before the model's own\n"
           "                     folder and the maps folders beside it (repeatable)\n"
           "  --all              print every chunk and block window of every item instead\n"
           "                     of the current window, in file order, each part under its\n"
           "                     place (OBJ2 · subObject 1 · block at 412 · TMAPPOLY)\n"
           "  --json             print JSON instead of text\n"
           "  --help             print this help\n"
           "  --version          print the version\n"
           "\n"
           "Example: a TMAPPOLY block of subobject 1 of the sample model (the turret on\n"
           "top; the third row of its block list), opened from the subobject viewer:\n"
           "  pofdump sample.pof --view OBJ2 --choose 1:1 --open 2:2\n"
           "\n"
           "Exit status: 0 after clean reads, 1 when a file cannot be opened, is not a POF\n"
           "file, is damaged or not all of it could be stored (every message box goes to\n"
           "stderr), or a --view entry is disabled, 2 on bad usage, a list, row or window\n"
           "that is not there, or a choice in a disabled list.\n";
}

}  // namespace pofdump
