#pragma once
// The words and number forms the archive window and its messages show.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "archive/vp_archive.h"
#include "view/fit_text.h"

namespace shell {

// "2003-10-15 12:34:56", the UTC date and time of a time stamp.
std::string utc_text(std::int64_t seconds);

// "POF model", "texture", "table", "other"; a cut member adds " (cut)".
std::string kind_text(const archive::Member& m, std::string_view path);

// The label of the main window for a member: "ARCHIVE › data/models/ship.pof".
std::string member_label(std::string_view archive_path, std::string_view member_path);

// The parts of the main window's label that a narrow window cuts: the folders of the archive
// first, then the member's, never the archive's name or the file's. None when label is not
// the label of that file or member.
std::vector<view::FitPart> file_label_parts(std::string_view label, std::string_view path,
                                            std::string_view member_path);

// The archive window's summary: its path, cut in its middle, and its counts, never cut.
std::vector<view::FitPart> summary_parts(std::string_view archive_path, std::string counts);

// The message box text of an archive whose directory has faults, one line per fault (the
// first 20 of them).
std::string notes_message(const archive::Archive& a);

// The message box text of the archive at path whose header or directory cannot be listed.
std::string damaged_archive_message(std::string_view path, std::string_view what);

// The last part of a path: the name a window is titled with.
std::string_view file_name(std::string_view path);

}  // namespace shell
