// Text form of a window: one control per line, group contents indented by two blanks,
// list rows under their list with "> " before the selected one.

#include <string_view>
#include <vector>

#include "dump_render.h"
#include "pof/text.h"

namespace pofdump {

namespace {

constexpr std::string_view kDisabled = " (disabled)";

std::string disabled_mark(bool enabled) {
    return enabled ? "" : std::string(kDisabled);
}

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

class TextWriter {
  public:
    void line(const std::string& text) {
        out_.append(indent_, ' ');
        out_ += text;
        out_ += '\n';
    }
    void control(const view::Control& c);
    void controls(const std::vector<view::Control*>& children) {
        for (const auto* child : children) control(*child);
    }
    std::string take() { return std::move(out_); }

  private:
    void field(const view::Field& f);
    void text_box(const view::TextBox& t);
    void drop_down(const view::DropDown& d);
    void table(const view::Table& t);
    void grid(const view::Grid& g);
    void group(const view::Group& g);
    void list_rows(const std::vector<std::string>& rows, int selected);
    std::string list_head(const view::Control& list, std::size_t rows, int selected);
    void indented(auto body) {
        indent_ += 2;
        body();
        indent_ -= 2;
    }

    std::string out_;
    std::size_t indent_ = 0;
    int lists_ = 0;  // lists met so far, numbered from 1 in layout order
};

void TextWriter::control(const view::Control& c) {
    using view::Kind;
    switch (c.kind()) {
        case Kind::Caption: {
            const auto& caption = static_cast<const view::Caption&>(c);
            line(with_mark(head("caption", c.name) + ":" + (caption.text.empty() ? "" : " ") +
                               one_line(caption.text),
                           c.enabled));
            break;
        }
        case Kind::Value: {
            const auto& value = static_cast<const view::Value&>(c);
            line(with_mark(head("value", c.name) + ":" + (value.text.empty() ? "" : " ") +
                               one_line(value.text),
                           c.enabled));
            break;
        }
        case Kind::Field:
            field(static_cast<const view::Field&>(c));
            break;
        case Kind::TextBox:
            text_box(static_cast<const view::TextBox&>(c));
            break;
        case Kind::DropDown:
            drop_down(static_cast<const view::DropDown&>(c));
            break;
        case Kind::Table:
            table(static_cast<const view::Table&>(c));
            break;
        case Kind::Grid:
            grid(static_cast<const view::Grid&>(c));
            break;
        case Kind::Box:
            controls(static_cast<const view::Box&>(c).children);
            break;
        case Kind::Group:
            group(static_cast<const view::Group&>(c));
            break;
    }
}

void TextWriter::field(const view::Field& f) {
    const bool enabled = f.enabled && f.caption.enabled && f.value.enabled;
    std::string text = one_line(f.caption.text) + ":";
    if (!f.value.text.empty()) text += " " + one_line(f.value.text);
    line(with_mark(text, enabled));
}

void TextWriter::text_box(const view::TextBox& t) {
    line(with_mark(head("text", t.name) + ":", t.enabled));
    indented([&] {
        for (const auto& l : text_lines(t.text)) line(l.empty() ? "|" : "| " + one_line(l));
    });
}

std::string TextWriter::list_head(const view::Control& list, std::size_t rows, int selected) {
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

void TextWriter::drop_down(const view::DropDown& d) {
    line(list_head(d, d.rows.size(), d.selected));
    std::vector<std::string> rows;
    for (const auto& r : d.rows) rows.push_back(one_line(r));
    indented([&] { list_rows(rows, d.selected); });
}

void TextWriter::table(const view::Table& t) {
    line(list_head(t, t.rows.size(), t.selected));
    std::vector<std::string> headers, rows;
    for (const auto& c : t.columns) headers.push_back(c.header);
    for (const auto& r : t.rows) rows.push_back(joined(r));
    indented([&] {
        line("columns: " + joined(headers));
        list_rows(rows, t.selected);
    });
}

void TextWriter::grid(const view::Grid& g) {
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

void TextWriter::group(const view::Group& g) {
    line("[" + one_line(g.caption) + "]" + disabled_mark(g.enabled));
    indented([&] { controls(g.children); });
}

void menu_lines(TextWriter& w, const shell::Menu& menu) {
    w.line("menu " + menu.name + " \"" + menu.caption + "\"" + disabled_mark(menu.enabled));
    for (const auto& e : menu.entries) {
        if (e.separator()) {
            w.line("  ---");
        } else {
            w.line("  " + e.name + " \"" + e.caption + "\"" + disabled_mark(e.enabled));
        }
    }
}

std::string title_line(const std::string& name, const std::string& title) {
    return name + "  \"" + one_line(title) + "\"";
}

}  // namespace

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

std::string viewer_text(const view::Viewer& viewer) {
    TextWriter w;
    w.line(title_line(viewer.name(), viewer.title));
    w.control(viewer.layout());
    return w.take();
}

std::string main_window_text(const shell::frmPOF& form) {
    TextWriter w;
    w.line(title_line("frmPOF", form.title()));
    w.control(form.file_label());
    w.control(form.record_list());
    for (const auto& menu : form.menus()) menu_lines(w, menu);
    return w.take();
}

}  // namespace pofdump
