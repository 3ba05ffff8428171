// The text form of a window, as pofdump prints it and the windows copy it.

#include "view/window_text.h"

#include <string_view>

#include "io/text.h"

namespace view {

namespace {

constexpr std::string_view kDisabled = " (disabled)";

// "kind" or "kind name", the head of a line that names its control.
std::string head(std::string_view kind, const std::string& name) {
    std::string out(kind);
    if (!name.empty()) out += " " + one_line(name);
    return out;
}

// Texts joined by " | "; an empty text leaves its bar without a trailing blank.
std::string joined(const std::vector<std::string>& texts) {
    std::string out;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) out += " |";
        if (!texts[i].empty()) out += (i > 0 ? " " : "") + one_line(texts[i]);
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

// Lines of a multi-line text: a line feed (after an optional carriage return) ends a line.
std::vector<std::string> text_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') --stop;
        lines.push_back(text.substr(start, stop - start));
        start = end + 1;
    }
    if (text.empty()) lines.clear();
    return lines;
}

}  // namespace

std::string disabled_mark(bool enabled) {
    return enabled ? "" : std::string(kDisabled);
}

std::string title_line(const std::string& name, const std::string& title) {
    return name + "  \"" + one_line(title) + "\"";
}

void TextWriter::line(const std::string& text) {
    out_.append(indent_, ' ');
    out_ += text;
    out_ += '\n';
}

void TextWriter::control(const Control& c) {
    switch (c.kind()) {
        case Kind::Caption: {
            const auto& caption = static_cast<const Caption&>(c);
            line(with_mark(head("caption", c.name) + ":" + (caption.text.empty() ? "" : " ") +
                               one_line(caption.text),
                           c.enabled));
            break;
        }
        case Kind::Value: {
            const auto& value = static_cast<const Value&>(c);
            line(with_mark(head("value", c.name) + ":" + (value.text.empty() ? "" : " ") +
                               one_line(value.text),
                           c.enabled));
            break;
        }
        case Kind::Field:
            field(static_cast<const Field&>(c));
            break;
        case Kind::TextBox:
            text_box(static_cast<const TextBox&>(c));
            break;
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
    const bool enabled = f.enabled && f.caption.enabled && f.value.enabled;
    std::string text = one_line(f.caption.text) + ":";
    if (!f.value.text.empty()) text += " " + one_line(f.value.text);
    line(with_mark(text, enabled));
}

void TextWriter::text_box(const TextBox& t) {
    line(with_mark(head("text", t.name) + ":", t.enabled));
    indented([&] {
        for (const auto& l : text_lines(t.text)) line(l.empty() ? "|" : "| " + one_line(l));
    });
}

std::string TextWriter::list_head(const Control& list, std::size_t rows, int selected) {
    ++lists_;
    return head("list " + pof::integer_text(lists_), list.name) + disabled_mark(list.enabled) +
           ": " + rows_summary(rows, selected);
}

void TextWriter::list_rows(const std::vector<std::string>& rows, int selected) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const bool chosen = static_cast<int>(i) == selected;
        line((chosen ? "> " : "  ") + rows[i]);
    }
}

void TextWriter::drop_down(const DropDown& d) {
    line(list_head(d, d.rows.size(), d.selected));
    std::vector<std::string> rows;
    for (const auto& r : d.rows) rows.push_back(one_line(r));
    indented([&] { list_rows(rows, d.selected); });
}

void TextWriter::table(const Table& t) {
    line(list_head(t, t.rows.size(), t.selected));
    std::vector<std::string> headers, rows;
    for (const auto& c : t.columns) headers.push_back(c.header);
    for (const auto& r : t.rows) rows.push_back(joined(r));
    indented([&] {
        line("columns: " + joined(headers));
        list_rows(rows, t.selected);
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

std::string one_line(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte >= 0x20 && byte != 0x7F) {
            out += ch;
            continue;
        }
        // U+2400 + byte (U+2421 for DEL), three bytes of UTF-8: E2 90 xx.
        const unsigned symbol = byte == 0x7F ? 0x21 : byte;
        out += "\xE2\x90";
        out += static_cast<char>(0x80 | symbol);
    }
    return out;
}

std::string viewer_text(const Viewer& viewer) {
    TextWriter w;
    w.line(title_line(viewer.name(), viewer.title));
    w.control(viewer.layout());
    return w.take();
}

}  // namespace view
