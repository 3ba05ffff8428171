// The text form of a window, as pofdump prints it and the windows copy it.

#include "view/window_text.h"

#include <sstream>
#include <string_view>

#include "io/text.h"

namespace view {

namespace {

constexpr std::string_view kDisabled = " (disabled)";
// A long text goes to the stream in pieces of about this many bytes.
constexpr std::size_t kPieceBytes = 64 * 1024;

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

// Texts joined by " | "; an empty text leaves its bar without a trailing blank. Each is put
// on one line straight into the result: a block's rows are written by the hundred thousand.
std::string joined(const std::vector<std::string>& texts) {
    std::string out;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) out += " |";
        if (texts[i].empty()) continue;
        if (i > 0) out += ' ';
        append_one_line(out, texts[i], [](std::string&) {});
    }
    return out;
}

// A disabled text gets its mark; a disabled empty text is the mark alone.
std::string with_mark(const std::string& text, bool enabled) {
    if (enabled) return text;
    return text.empty() ? std::string(kDisabled.substr(1)) : text + std::string(kDisabled);
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

template <class Flush>
void append_one_line(std::string& out, std::string_view text, Flush flush) {
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            if (byte == '\\') {
                out += "\\\\";  // so that a backslash in the text never reads as an escape
            } else if (byte >= 0x20 && byte != 0x7F) {
                out += static_cast<char>(byte);
            } else {
                append_symbol(out, byte);
            }
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

void TextWriter::line(const std::string& text) {
    for (std::size_t i = 0; i < indent_; ++i) out_.put(' ');
    out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    out_.put('\n');
}

void TextWriter::flush(std::string& pending) {
    out_.write(pending.data(), static_cast<std::streamsize>(pending.size()));
    pending.clear();
}

// "label: text" (the label already on one line), the text written in pieces as it is put on
// one line: a value of megabytes (a subobject's properties) is never held again in its
// converted form.
void TextWriter::labelled(std::string_view label, std::string_view text, bool enabled) {
    std::string pending(indent_, ' ');
    pending += label;
    pending += ':';
    if (!text.empty()) {
        pending += ' ';
        append_one_line(pending, text, [this](std::string& p) { flush(p); });
    }
    pending += disabled_mark(enabled);
    pending += '\n';
    flush(pending);
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
    labelled(one_line(f.caption.text), f.value.text,
             f.enabled && f.caption.enabled && f.value.enabled);
}

void TextWriter::text_box(const TextBox& t) {
    line(with_mark(head("text", t.name) + ":", t.enabled));
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

void TextWriter::list_row(const std::string& row, bool chosen) {
    line((chosen ? "> " : "  ") + row);
}

void TextWriter::drop_down(const DropDown& d) {
    line(list_head(d, d.rows.size(), d.selected));
    indented([&] {
        for (std::size_t i = 0; i < d.rows.size(); ++i) {
            list_row(one_line(d.rows[i]), static_cast<int>(i) == d.selected);
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

// A row's cells, the first led by its check box ("[x]") and swatch when the list has them.
std::vector<std::string> row_cells(const Table& t, std::size_t row) {
    std::vector<std::string> cells = t.cells(row);
    if (cells.empty()) return cells;
    std::string lead;
    if (row < t.checks.size()) lead += t.checks[row] ? "[x] " : "[ ] ";
    if (row < t.swatches.size()) lead += swatch_text(t.swatches[row]) + " ";
    cells[0] = lead + cells[0];
    return cells;
}

}  // namespace

void TextWriter::table(const Table& t) {
    line(list_head(t, t.row_count(), t.selected) + order_text(t));
    std::vector<std::string> headers;
    for (const auto& c : t.columns) headers.push_back(c.header);
    indented([&] {
        line("columns: " + joined(headers));
        for (std::size_t i = 0; i < t.row_count(); ++i) {
            list_row(joined(row_cells(t, i)), static_cast<int>(i) == t.selected);
        }
    });
}

void TextWriter::grid(const Grid& g) {
    std::vector<std::string> header{""};
    for (const auto& c : g.columns) header.push_back(with_mark(c->text, c->enabled));
    line(head("grid", g.name) + disabled_mark(g.enabled) + ":" + joined(header));
    indented([&] {
        for (const auto& span : g.spans) {
            const auto& first = g.columns[span.first]->text;
            const auto& last = g.columns[span.first + span.count - 1]->text;
            line("over " + one_line(first) + " .. " + one_line(last) + ": " +
                 with_mark(one_line(span.caption->text), span.caption->enabled));
        }
        for (std::size_t r = 0; r < g.rows.size(); ++r) {
            std::vector<std::string> cells{with_mark(g.rows[r]->text, g.rows[r]->enabled)};
            for (std::size_t k = 0; k < g.columns.size(); ++k) {
                cells.push_back(with_mark(g.cell(r, k).text, g.cell(r, k).enabled));
            }
            line(joined(cells));
        }
    });
}

void TextWriter::group(const Group& g) {
    line("[" + one_line(g.caption) + "]" + disabled_mark(g.enabled));
    indented([&] { controls(g.children); });
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
