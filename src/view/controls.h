#pragma once
// The toolkit-neutral controls every window is written in. A viewer owns its controls,
// changes them in its event handlers, and declares once how they are laid out; a binding
// (the Qt windows, pofdump) renders them and forwards the user's choices back.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "view/fit_text.h"

namespace view {

enum class Kind { Caption, Value, Field, TextBox, TextInput, DropDown, Table, Grid, Box, Group };

// Where a caption's or value's text sits in its place; Default leaves it to the binding.
enum class Align { Default, Left, Center, Right };

class Control {
  public:
    explicit Control(std::string name = {}) : name(std::move(name)) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual Kind kind() const = 0;

    std::string name;  // object name, may be empty
    bool enabled = true;
    // Layout: a gap of about one line sets it apart from what stands above it in a column.
    bool gap_above = false;
    // A value of the item its group shows that stands among what a list before it fills (the
    // insignia's offset beside its chosen vertex): a walk over every choice shows it once,
    // with the item, not once per row of that list.
    bool item_value = false;
};

// Fixed text.
class Caption : public Control {
  public:
    explicit Caption(std::string text, std::string name = {})
        : Control(std::move(name)), text(std::move(text)) {}
    Kind kind() const override { return Kind::Caption; }
    std::string text;
    Align align = Align::Default;
    // Set with set_parts: the binding cuts the text in their order to fit the window, which
    // its length then never widens, and shows it whole in a tooltip.
    std::vector<FitPart> parts;
    void set_parts(std::vector<FitPart> new_parts) {
        parts = std::move(new_parts);
        text = whole_text(parts);
    }
};

// A text set from the store; selectable, so a number can be copied. A value of several lines
// is as tall as that many lines and wraps its text.
class Value : public Control {
  public:
    explicit Value(std::string name = {}) : Control(std::move(name)) {}
    Kind kind() const override { return Kind::Value; }
    std::string text;
    Align align = Align::Default;
    int lines = 1;
    // As a caption's parts: a one-line text cut in their order to fit.
    std::vector<FitPart> parts;
    void set_parts(std::vector<FitPart> new_parts) {
        parts = std::move(new_parts);
        text = whole_text(parts);
    }
    // A value that leads somewhere (a warning that opens the window that explains it): the
    // binding shows it as a link and runs this on a click.
    std::function<void()> on_click;
};

// A caption with its value beside it (or under it).
class Field : public Control {
  public:
    explicit Field(std::string caption_text, bool value_below = false)
        : caption(std::move(caption_text)), below(value_below) {}
    Kind kind() const override { return Kind::Field; }
    Caption caption;
    Value value;
    bool below;
};

// A large multi-line label.
class TextBox : public Control {
  public:
    explicit TextBox(std::string name = {}) : Control(std::move(name)) {}
    Kind kind() const override { return Kind::TextBox; }
    std::string text;
    // Each line feed of text stands for a carriage return and a line feed, as the exact text
    // (JSON) shows it: a window of megabytes of line feeds then holds its text once, not twice.
    bool line_feeds_as_crlf = false;
};

// A line of text the user types (a filter). type() runs the same handler for the user's
// typing and for text set in code, with the whole text after each change.
class TextInput : public Control {
  public:
    using Handler = std::function<void(const std::string&)>;
    explicit TextInput(std::string name = {}, Handler on_change = {})
        : Control(std::move(name)), on_change(std::move(on_change)) {}
    Kind kind() const override { return Kind::TextInput; }

    void type(std::string new_text) {
        text = std::move(new_text);
        if (on_change) on_change(text);
    }

    std::string text;
    std::string placeholder;  // shown greyed while the text is empty
    Handler on_change;
};

// A drop-down list. choose() runs the same handler for the user's choice and for a choice
// made in code.
// Numbers the choices made in drop-down lists, one after the other, over every window.
std::uint64_t next_choice_stamp();

class DropDown : public Control {
  public:
    using Handler = std::function<void(int)>;
    explicit DropDown(Handler on_choose = {}, std::string name = {})
        : Control(std::move(name)), on_choose(std::move(on_choose)) {}
    Kind kind() const override { return Kind::DropDown; }

    void clear() {
        rows.clear();
        selected = -1;
    }
    void choose(int row) {
        if (row < 0 || row >= static_cast<int>(rows.size())) return;
        selected = row;
        if (on_choose) on_choose(row);
        chosen_stamp = next_choice_stamp();
    }
    std::string selected_text() const {
        return selected >= 0 && selected < static_cast<int>(rows.size()) ? rows[selected] : "";
    }

    std::vector<std::string> rows;
    int selected = -1;
    Handler on_choose;
    // Taken when the choice's handler has run, so the choices it made in the lists beneath
    // come first: in a window, the list with the newest stamp is the one that was chosen.
    std::uint64_t chosen_stamp = 0;
};

// How a row reads at a glance: a mark and a colour for rows that need attention, strongest
// first.
enum class Tone { Plain, Error, Warning, Info };

// A list view in report mode. Its rows are either added one by one or made on demand by a
// source (a row count and a function giving the cells of a row), so a list of millions of
// rows need not hold their texts; read them through row_count() and cells(). Rows are bumped
// in revision on every change, so a binding re-populates only when they changed.
// A list with a sort handler is sortable: a click on a column header asks the logic to order
// the rows by that column (a second click on it reverses the order), and the binding shows
// the column and direction the rows are in.
class Table : public Control {
  public:
    // Keep: the width it was made with, whatever the rows hold. Fill: the width the other
    // columns leave, its text cut short with an ellipsis and shown whole in a tooltip; the
    // other columns of such a table keep to a share of the list, so every column stays in
    // view.
    enum class Width { FitHeaderAndContents, HalfOfList, Keep, Fill };
    struct Column {
        std::string header;
        Width width = Width::FitHeaderAndContents;
    };
    using Cells = std::vector<std::string>;
    using Handler = std::function<void(int)>;
    using Source = std::function<Cells(std::size_t)>;

    explicit Table(std::vector<Column> columns, std::string name = {})
        : Control(std::move(name)), columns(std::move(columns)) {}
    Kind kind() const override { return Kind::Table; }

    void clear() {
        rows_.clear();
        tones_.clear();
        source_ = nullptr;
        source_rows_ = 0;
        levels.clear();
        selected = -1;
        changed_rows_.clear();
        ++revision;
    }
    void add_row(Cells cells);
    void add_row(Cells cells, Tone tone);
    // Plain unless the row was added with a tone.
    Tone tone(std::size_t row) const { return row < tones_.size() ? tones_[row] : Tone::Plain; }
    // A Fill column keeps the table from growing with its longest row.
    bool has_fill_column() const;
    // Replaces the rows with count rows made by make(i) when asked for.
    void set_source(std::size_t count, Source make);
    void reserve(std::size_t count) { rows_.reserve(count); }
    // The source makes other cells for this row now (a texture finished loading); the rows
    // stay. The binding redraws the rows changed since it last looked and fits its columns
    // once for all of them, not once per row.
    void row_changed(std::size_t row) {
        if (row < row_count()) changed_rows_.push_back(row);
    }
    // The rows changed since the rows were last made, in the order they changed.
    const std::vector<std::size_t>& changed_rows() const { return changed_rows_; }

    std::size_t row_count() const { return source_ ? source_rows_ : rows_.size(); }
    Cells cells(std::size_t row) const;
    std::string cell(std::size_t row, std::size_t column) const;

    void click(int row) {
        if (!valid(row)) return;
        selected = row;
        if (on_click) on_click(row);
    }
    void double_click(int row) {
        if (!valid(row)) return;
        selected = row;
        if (on_double_click) on_double_click(row);
    }
    bool valid(int row) const { return row >= 0 && static_cast<std::size_t>(row) < row_count(); }

    struct Order {
        int column = -1;  // -1: as the rows were made
        bool ascending = true;
    };
    bool sortable() const { return static_cast<bool>(on_sort); }
    // A click on the header of a column.
    void sort_by(int column) {
        if (!sortable() || column < 0 || column >= static_cast<int>(columns.size())) return;
        order.ascending = order.column != column || !order.ascending;
        order.column = column;
        on_sort(order);
    }

    // A colour swatch beside a row's first cell, red green blue; no swatches when empty.
    using Swatch = std::array<std::uint8_t, 3>;
    std::vector<Swatch> swatches;
    // Rows with a check box before their first cell, one state per row; none when empty. A
    // click on the box runs on_check with the row (the logic turns the state over).
    std::vector<bool> checks;
    Handler on_check;
    void check(int row) {
        if (valid(row) && static_cast<std::size_t>(row) < checks.size() && on_check) on_check(row);
    }

    // A tree's rows: per row its depth, 0 at the top; a row's parent is the nearest row above
    // it with a smaller depth. Empty for a flat list.
    std::vector<int> levels;
    int level(std::size_t row) const { return row < levels.size() ? levels[row] : 0; }

    std::vector<Column> columns;
    // The window opens wide enough to show every column at the width its rows need (at most
    // most of the screen), for lists whose rows are long sentences.
    bool open_wide = false;
    int selected = -1;
    std::uint64_t revision = 0;
    Handler on_click, on_double_click;
    Order order;
    std::function<void(const Order&)> on_sort;

  private:
    std::vector<Cells> rows_;
    std::vector<Tone> tones_;  // per row up to the last row with a tone
    Source source_;
    std::size_t source_rows_ = 0;
    std::vector<std::size_t> changed_rows_;
};

// Values in rows and columns, each row and column with a header caption.
class Grid : public Control {
  public:
    Grid(const std::vector<std::string>& column_headers,
         const std::vector<std::string>& row_headers, std::string name = {});
    Kind kind() const override { return Kind::Grid; }
    Value& cell(std::size_t row, std::size_t column) {
        return *cells[row * columns.size() + column];
    }
    const Value& cell(std::size_t row, std::size_t column) const {
        return *cells[row * columns.size() + column];
    }
    void set_column(std::size_t column, const std::vector<std::string>& texts);
    // A caption over count columns side by side from first on ("Bounding Box" over "min"
    // and "max").
    void span(std::string text, std::size_t first, std::size_t count);

    struct Span {
        std::unique_ptr<Caption> caption;
        std::size_t first = 0, count = 0;
    };
    std::vector<std::unique_ptr<Caption>> columns, rows;
    std::vector<std::unique_ptr<Value>> cells;  // row by row
    std::vector<Span> spans;
};

// Controls side by side (Row) or one under the other (Column); layout only.
class Box : public Control {
  public:
    enum class Direction { Row, Column };
    Box(Direction direction, std::vector<Control*> children)
        : direction(direction), children(std::move(children)) {}
    Kind kind() const override { return Kind::Box; }
    Direction direction;
    std::vector<Control*> children;
    // A row that starts with a grid: the controls after it stand level with the grid's first
    // row of values, not with its column captions.
    bool level_with_grid_values = false;
};

// A framed box with a caption (possibly empty); its children stand one under the other.
class Group : public Control {
  public:
    explicit Group(std::string caption, std::string name = {})
        : Control(std::move(name)), caption(std::move(caption)) {}
    Kind kind() const override { return Kind::Group; }
    std::string caption;
    std::vector<Control*> children;
    // The caption's line stays while the caption is empty, so the group neither shrinks nor
    // moves what stands in it when its caption comes and goes.
    bool keeps_caption_line = false;
};

}  // namespace view
