#pragma once
// A one-line text in parts that a narrow window cuts in a fixed order: a path's folders go
// before its file name, an archive's path before the counts beside it. Each part is cut in
// its middle ("/home/…/fs2/"), so its start and its end stay.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace view {

struct FitPart {
    std::string text;  // UTF-8
    // 0: never cut. Parts of a higher number are cut first; parts of one number, left first.
    int cut = 0;
};

// The width a UTF-8 text takes (pixels in a window, characters in a test).
using TextWidth = std::function<int(std::string_view)>;

std::string whole_text(const std::vector<FitPart>& parts);

// The text of the parts in at most room: the cuttable parts cut as far as needed, in their
// order, each at least to "…". When even that is too wide the whole text is cut in its middle.
std::string fit_text(const std::vector<FitPart>& parts, const TextWidth& width, int room);

// A path as a folders part cut with number folder_cut and a file name part never cut:
// "data/models/" and "ship.pof". A path without folders is one part.
std::vector<FitPart> path_parts(std::string_view path, int folder_cut);

}  // namespace view
