#pragma once
// pofdump's command line.

#include <optional>
#include <string>
#include <vector>

#include "pof/chunk_kinds.h"

namespace pofdump {

// Exit statuses.
inline constexpr int kExitClean = 0;
inline constexpr int kExitFailed = 1;  // file not opened, not POF, damaged; viewer not shown
inline constexpr int kExitUsage = 2;

// A row of a list: the list counts from 1 in layout order, the row from 0.
struct Choice {
    int list = 0;
    int row = 0;
};

// The viewer --view asked for: the chunk ID as given and the record entry it opens, or
// MODEL for the View menu's Model View.
struct ViewRequest {
    std::string chunk_id;
    pof::RecordEntry entry;
    bool model_view = false;
};

// One thing a user does after the read, in command-line order.
struct Step {
    enum class Kind {
        View,     // --view ID: the Window-menu entry of ID
        Choose,   // --choose LIST:ROW: pick a drop-down row, click a list-view row
        Open,     // --open LIST:ROW: double-click a list-view row
        Window,   // --window NAME: switch to an open window
        Read,     // --read FILE: File > Open of another file
        Obj,      // --obj FILE: write what the Model View draws as Wavefront OBJ
        Member,   // --member PATH: open the archive window's file of that path
        Type,     // --type INPUT:TEXT: type TEXT into a text input (a filter)
        Sort,     // --sort LIST:COLUMN: click a column header of a sortable list view
        Png,      // --png FILE: write what the Model View shows as a PNG picture
        Thumb,    // --thumbnail FILE: the model's thumbnail: detail level 0, no markers
        Compare,  // --compare FILE: View > Compare With... FILE
    };
    Kind kind = Kind::Choose;
    ViewRequest view{};
    Choice choice{};
    std::string window;
    std::string file;  // of --read and --compare
    // The file --obj, --png or --thumbnail writes.
    std::string output_path;
    std::string member;  // of --member
    int input = 0;       // of --type, from 1 in layout order
    std::string text;    // of --type
};

struct Options {
    enum class Action { Dump, Check, Help, Version, Diff };
    Action action = Action::Dump;
    std::string file;                // the file a dump reads
    std::vector<std::string> files;  // every FILE given, in order; --check reads them all
    bool json = false;
    bool all = false;    // --all: every section of every window instead of the current window
    bool codes = false;  // --check --codes: the table of the check's codes, no FILE
    std::vector<Step> steps;
    // --textures DIR, in order: searched for textures before the model's own folders.
    std::vector<std::string> texture_folders;
    // --size W[xH] of the pictures --png and --thumbnail write, checked once when it is read:
    // a side outside 1 to 8192 leaves the sides 0 and size_refused saying why, with the
    // numbers as given, which every picture step answers with.
    bool size_given = false;
    int picture_width = 0, picture_height = 0;
    std::string size_refused;
    // --diff A B: float differences up to --tolerance are no difference.
    double tolerance = 0;
};

struct ParsedOptions {
    Options options;
    std::string error;  // why the command line is bad usage; empty when it is fine
};

ParsedOptions parse_options(const std::vector<std::string>& args);

// The record entry whose viewer a chunk ID opens ("EYE" stands for "EYE ").
std::optional<pof::RecordEntry> entry_for_view_id(const std::string& chunk_id);

std::string usage_text();

}  // namespace pofdump
