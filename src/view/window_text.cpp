// The text form of a window, as pofdump prints it and the windows copy it.

#include "view/window_text.h"

#include <algorithm>
#include <sstream>
#include <string_view>

#include "io/text.h"

namespace view {

namespace {

constexpr std::string_view kDisabled = " (disabled)";
// A long text goes to the stream in pieces of about this many bytes.
constexpr std::size_t kPieceBytes = std::size_t{64} * 1024;
// Whole lines go to the stream once they come to about this many.
constexpr std::size_t kLinesBytes = std::size_t{4} * 1024;

// "kind" or "kind name", the head of a line that names its control.
std::string head(std::string_view kind, const std::string& name) {
    std::string out(kind);
    if (!name.empty()) out += " " + one_line(name);
    return out;
}

}  // namespace

template <class Flush>
void append_one_line(std::string& out, std::string_view text, Flush flush);

namespace {

// The text at place i of texts joined by " | ": an empty text leaves its bar without a
// trailing blank, and a disabled one gets its mark (a disabled empty text is the mark alone).
// Each is put on one line straight into the line: a block's rows are written by the hundred
// thousand.
void append_marked(std::string& out, std::string_view text, bool enabled) {
    if (text.empty()) {
        if (!enabled) out += kDisabled.substr(1);
        return;
    }
    append_one_line(out, text, [](std::string&) {});
    if (!enabled) out += kDisabled;
}

void append_cell(std::string& out, std::size_t i, std::string_view text, bool enabled = true) {
    if (i > 0) out += " |";
    if (text.empty() && enabled) return;
    if (i > 0) out += ' ';
    append_marked(out, text, enabled);
}

std::string rows_summary(std::size_t rows, int selected) {
    std::string out = pof::integer_text(static_cast<std::int64_t>(rows));
    out += rows == 1 ? " row, selected " : " rows, selected ";
    out += selected >= 0 ? pof::integer_text(selected) : "none";
    return out;
}

// Hands each line of a multi-line text to take: a line feed (after an optional carriage
// return) ends a line.
template <class Take>
void for_each_line(std::string_view text, Take take, bool keep_cr = false) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::size_t stop = end;
        // keep_cr: a line feed stands for CR LF, so a CR before it is the text's own; a CR that
        // ends the text is dropped all the same.
        const bool ends_line = !keep_cr || end == text.size();
        if (ends_line && stop > start && text[stop - 1] == '\r') --stop;
        take(text.substr(start, stop - start));
        start = end + 1;
    }
    // A text ending in a line feed ends with an empty line.
    if (!text.empty() && text.back() == '\n') take(std::string_view());
}

// The length of the well-formed UTF-8 sequence at the start of text, or 0.
std::size_t utf8_length(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    }
    return length;
}

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
constexpr char kHexDigits[] = "0123456789ABCDEF";

// A control character as its visible symbol: U+2400 + byte (U+2421 for DEL), E2 90 xx.
void append_symbol(std::string& out, unsigned char byte) {
    const unsigned symbol = byte == 0x7F ? 0x21 : byte;
    out += "\xE2\x90";
    out += static_cast<char>(0x80 | symbol);
}

// A UTF-8 sequence, unless it is a C1 control (C2 80..C2 9F) or U+2028/U+2029 (E2 80 A8/A9),
// which become "\x85" and "\u2028".
void append_sequence(std::string& out, std::string_view sequence) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(sequence[i]); };
    if (sequence.size() == 2 && byte(0) == 0xC2 && byte(1) <= 0x9F) {
        const unsigned char c1 = byte(1);
        out += "\\x";
        out += kHexDigits[c1 >> 4];
        out += kHexDigits[c1 & 0xF];
    } else if (sequence == "\xE2\x80\xA8" || sequence == "\xE2\x80\xA9") {
        out += byte(2) == 0xA8 ? "\\u2028" : "\\u2029";
    } else {
        out += sequence;
    }
}

}  // namespace

namespace {

// Printable ASCII other than the backslash: the bytes a text keeps as they are.
bool plain(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 && byte < 0x7F && byte != '\\';
}

}  // namespace

template <class Flush>
void append_one_line(std::string& out, std::string_view text, Flush flush) {
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (plain(text[i])) {
            // A run of plain bytes goes in at once, up to a piece's end.
            std::size_t end = i + 1;
            const std::size_t limit = std::min(text.size(), i + kPieceBytes);
            while (end < limit && plain(text[end])) ++end;
            out.append(text, i, end - i);
            i = end;
        } else if (byte == '\\') {
            out += "\\\\";  // so that a backslash in the text never reads as an escape
            ++i;
        } else if (byte < 0x80) {
            append_symbol(out, byte);
            ++i;
        } else if (const std::size_t length = utf8_length(text.substr(i))) {
            append_sequence(out, text.substr(i, length));
            i += length;
        } else {
            out += kReplacement;
            ++i;
        }
        if (out.size() >= kPieceBytes) flush(out);
    }
}

std::string disabled_mark(bool enabled) {
    return enabled ? "" : std::string(kDisabled);
}

std::string title_line(const std::string& name, const std::string& title) {
    return name + "  \"" + one_line(title) + "\"";
}

std::string& TextWriter::start_line() {
    lines_.append(indent_, ' ');
    return lines_;
}

void TextWriter::end_line() {
    lines_ += '\n';
    if (lines_.size() >= kLinesBytes) flush(lines_);
}

void TextWriter::line(std::string_view text) {
    start_line() += text;
    end_line();
}

void TextWriter::flush(std::string& pending) {
    out_.write(pending.data(), static_cast<std::streamsize>(pending.size()));
    pending.clear();
}

// "label: text" (the label already on one line), the text written in pieces as it is put on
// one line: a value of megabytes (a subobject's properties) is never held again in its
// converted form.
void TextWriter::labelled(std::string_view label, std::string_view text, bool enabled) {
    start_line() += label;
    value_after_label(text, enabled);
}

// ": text" after the label already in the line, and the line's end.
void TextWriter::value_after_label(std::string_view text, bool enabled) {
    std::string& pending = lines_;
    pending += ':';
    if (!text.empty()) {
        pending += ' ';
        append_one_line(pending, text, [this](std::string& p) { flush(p); });
    }
    if (!enabled) pending += kDisabled;
    end_line();
}

void TextWriter::control(const Control& c) {
    switch (c.kind()) {
        case Kind::Caption:
            labelled(head("caption", c.name), static_cast<const Caption&>(c).text, c.enabled);
            break;
        case Kind::Value:
            labelled(head("value", c.name), static_cast<const Value&>(c).text, c.enabled);
            break;
        case Kind::Field:
            field(static_cast<const Field&>(c));
            break;
        case Kind::TextBox:
            text_box(static_cast<const TextBox&>(c));
            break;
        case Kind::TextInput: {
            const auto& input = static_cast<const TextInput&>(c);
            line(head("input " + pof::integer_text(++inputs_), c.name) + disabled_mark(c.enabled) +
                 ":" + (input.text.empty() ? "" : " ") + one_line(input.text));
            break;
        }
        case Kind::DropDown:
            drop_down(static_cast<const DropDown&>(c));
            break;
        case Kind::Table:
            table(static_cast<const Table&>(c));
            break;
        case Kind::Grid:
            grid(static_cast<const Grid&>(c));
            break;
        case Kind::Box:
            controls(static_cast<const Box&>(c).children);
            break;
        case Kind::Group:
            group(static_cast<const Group&>(c));
            break;
    }
}

void TextWriter::field(const Field& f) {
    append_one_line(start_line(), f.caption.text, [](std::string&) {});
    value_after_label(f.value.text, f.enabled && f.caption.enabled && f.value.enabled);
}

void TextWriter::text_box(const TextBox& t) {
    line(head("text", t.name) + ":" + disabled_mark(t.enabled));
    indented([&] {
        // A line feed that stands for CR LF ends its line at once; a CR before it is the file's.
        for_each_line(
            t.text, [&](std::string_view l) { line(l.empty() ? "|" : "| " + one_line(l)); },
            t.line_feeds_as_crlf);
    });
}

std::string TextWriter::list_head(const Control& list, std::size_t rows, int selected) {
    ++lists_;
    return head("list " + pof::integer_text(lists_), list.name) + disabled_mark(list.enabled) +
           ": " + rows_summary(rows, selected);
}

namespace {

// The start of a list's row: "> " before the selected one.
std::string_view row_mark(std::size_t row, int selected) {
    return static_cast<int>(row) == selected ? "> " : "  ";
}

}  // namespace

void TextWriter::drop_down(const DropDown& d) {
    line(list_head(d, d.rows.size(), d.selected));
    indented([&] {
        for (std::size_t i = 0; i < d.rows.size(); ++i) {
            std::string& row = start_line();
            row += row_mark(i, d.selected);
            append_one_line(row, d.rows[i], [](std::string&) {});
            end_line();
        }
    });
}

// ", sorted by Size descending" after the head of a sortable list.
std::string order_text(const Table& t) {
    if (!t.sortable()) return {};
    if (t.order.column < 0 || t.order.column >= static_cast<int>(t.columns.size())) {
        return ", not sorted";
    }
    return ", sorted by " + one_line(t.columns[t.order.column].header) +
           (t.order.ascending ? " ascending" : " descending");
}

namespace {

// "#FF4033": a row's swatch as the colour's hex bytes.
std::string swatch_text(const Table::Swatch& c) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out = "#";
    for (const std::uint8_t byte : c) {
        out += kDigits[byte >> 4];
        out += kDigits[byte & 0xF];
    }
    return out;
}

// A row's cells joined, the first led by two blanks per tree level, its check box ("[x]") and
// swatch when the list has them.
void append_row_cells(std::string& out, const Table& t, std::size_t row) {
    const Table::Cells cells = t.cells(row);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i == 0) {
            out.append(2 * static_cast<std::size_t>(std::max(t.level(row), 0)), ' ');
            if (row < t.checks.size()) out += t.checks[row] ? "[x] " : "[ ] ";
            if (row < t.swatches.size()) out += swatch_text(t.swatches[row]) + " ";
        }
        append_cell(out, i, cells[i]);
    }
}

}  // namespace

void TextWriter::table(const Table& t) {
    line(list_head(t, t.row_count(), t.selected) + order_text(t));
    indented([&] {
        std::string& head = start_line();
        head += "columns: ";
        for (std::size_t i = 0; i < t.columns.size(); ++i) {
            append_cell(head, i, t.columns[i].header);
        }
        end_line();
        for (std::size_t r = 0; r < t.row_count(); ++r) {
            std::string& row = start_line();
            row += row_mark(r, t.selected);
            append_row_cells(row, t, r);
            end_line();
        }
    });
}

void TextWriter::grid(const Grid& g) {
    std::string& top = start_line();
    top += head("grid", g.name);
    if (!g.enabled) top += kDisabled;
    top += ':';
    for (std::size_t k = 0; k < g.columns.size(); ++k) {
        append_cell(top, k + 1, g.columns[k]->text, g.columns[k]->enabled);
    }
    end_line();
    indented([&] {
        for (const auto& span : g.spans) {
            const auto& first = g.columns[span.first]->text;
            const auto& last = g.columns[span.first + span.count - 1]->text;
            std::string& over = start_line();
            over += "over " + one_line(first) + " .. " + one_line(last) + ": ";
            append_marked(over, span.caption->text, span.caption->enabled);
            end_line();
        }
        for (std::size_t r = 0; r < g.rows.size(); ++r) {
            std::string& row = start_line();
            append_cell(row, 0, g.rows[r]->text, g.rows[r]->enabled);
            for (std::size_t k = 0; k < g.columns.size(); ++k) {
                append_cell(row, k + 1, g.cell(r, k).text, g.cell(r, k).enabled);
            }
            end_line();
        }
    });
}

void TextWriter::group(const Group& g) {
    line("[" + one_line(g.caption) + "]" + disabled_mark(g.enabled));
    indented([&] { controls(g.children); });
}

std::string model_title(std::string_view window, std::string_view file_name) {
    if (file_name.empty()) return std::string(window);
    return std::string(window) + " \u2014 " + utf8_text(file_name);
}

std::string utf8_text(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const std::size_t length = byte < 0x80 ? 1 : utf8_length(text.substr(i));
        if (length == 0) {
            out += kReplacement;
            ++i;
        } else {
            out.append(text, i, length);
            i += length;
        }
    }
    return out;
}

std::string one_line(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    append_one_line(out, text, [](std::string&) {});
    return out;
}

void write_viewer_text(const Viewer& viewer, std::ostream& out) {
    TextWriter w(out);
    w.line(title_line(viewer.name(), viewer.title));
    w.control(viewer.layout());
}

std::string viewer_text(const Viewer& viewer) {
    std::ostringstream out;
    write_viewer_text(viewer, out);
    return std::move(out).str();
}

}  // namespace view
