#pragma once
// The text form of a window: its object name and title, then one control per line in layout
// order, group contents indented by two blanks, list rows under their list with "> " before
// the selected one. pofdump prints it; the windows put it on the clipboard.

#include <cstddef>
#include <string>
#include <vector>

#include "view/viewer.h"

namespace view {

class TextWriter {
  public:
    void line(const std::string& text);
    void control(const Control& c);
    void controls(const std::vector<Control*>& children) {
        for (const auto* child : children) control(*child);
    }
    std::string take() { return std::move(out_); }

  private:
    void field(const Field& f);
    void text_box(const TextBox& t);
    void drop_down(const DropDown& d);
    void table(const Table& t);
    void grid(const Grid& g);
    void group(const Group& g);
    void list_rows(const std::vector<std::string>& rows, int selected);
    std::string list_head(const Control& list, std::size_t rows, int selected);
    void indented(auto body) {
        indent_ += 2;
        body();
        indent_ -= 2;
    }

    std::string out_;
    std::size_t indent_ = 0;
    int lists_ = 0;  // lists met so far, numbered from 1 in layout order
};

// The first line: the object name, two blanks, the title in double quotes.
std::string title_line(const std::string& name, const std::string& title);
// " (disabled)" after anything disabled, nothing otherwise.
std::string disabled_mark(bool enabled);

std::string viewer_text(const Viewer& viewer);

// Control characters as the visible symbols U+2401..U+241F and U+2421, so that one value
// stays on one line of text.
std::string one_line(const std::string& text);

}  // namespace view
