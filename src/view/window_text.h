#pragma once
// The text form of a window: its object name and title, then one control per line in layout
// order, group contents indented by two blanks, list rows under their list with "> " before
// the selected one. pofdump prints it; the windows put it on the clipboard. Lines go to the
// stream as they are made, so a window of millions of rows costs no more than its controls.

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "view/viewer.h"

namespace view {

class TextWriter {
  public:
    explicit TextWriter(std::ostream& out) : out_(out) {}
    // Lines wait in the writer until a few KiB of them are made, and go out when it ends.
    ~TextWriter() { flush(lines_); }
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;
    // Goes on as a new part of a window written on its own (a section of pofdump --all): lines
    // indented by indent blanks, the next list numbered lists_before + 1.
    void restart(std::size_t indent, int lists_before) {
        indent_ = indent;
        lists_ = lists_before;
        inputs_ = 0;
    }
    void line(std::string_view text);
    void control(const Control& c);
    void controls(const std::vector<Control*>& children) {
        for (const auto* child : children) control(*child);
    }

  private:
    void field(const Field& f);
    // The lines made so far, the one being made last with its indent already in it; end_line
    // ends it with its line feed.
    std::string& start_line();
    void end_line();
    void labelled(std::string_view label, std::string_view text, bool enabled);
    void value_after_label(std::string_view text, bool enabled);
    void flush(std::string& pending);
    void text_box(const TextBox& t);
    void drop_down(const DropDown& d);
    void table(const Table& t);
    void grid(const Grid& g);
    void group(const Group& g);
    std::string list_head(const Control& list, std::size_t rows, int selected);
    void indented(auto body) {
        indent_ += 2;
        body();
        indent_ -= 2;
    }

    std::ostream& out_;
    std::size_t indent_ = 0;
    int lists_ = 0;   // lists met so far, numbered from 1 in layout order
    int inputs_ = 0;  // text inputs met so far, likewise
    std::string lines_;
};

// ", sorted by Size descending" (", not sorted") after the head of a sortable list; nothing
// for other lists.
std::string order_text(const Table& t);

// The first line: the object name, two blanks, the title in double quotes.
std::string title_line(const std::string& name, const std::string& title);
// " (disabled)" after anything disabled, nothing otherwise.
std::string disabled_mark(bool enabled);

void write_viewer_text(const Viewer& viewer, std::ostream& out);
std::string viewer_text(const Viewer& viewer);

// One line of UTF-8 whatever the text holds: control characters become the visible symbols
// U+2400..U+241F and U+2421, the C1 controls and the line and paragraph separators that some
// readers break lines at become escapes ("\x85", "\u2028"), a backslash is doubled so that no
// text reads as an escape, and bytes that are not UTF-8 become U+FFFD.
std::string one_line(std::string_view text);

// The text as it is, only the bytes that are not UTF-8 (a file name may hold them) made
// U+FFFD: for a control's text, which each form escapes once when it shows it.
std::string utf8_text(std::string_view text);

// "Model View — sample.pof": a window about the whole model, titled with its file's name;
// the window's name alone while no file is named.
std::string model_title(std::string_view window, std::string_view file_name);

}  // namespace view
