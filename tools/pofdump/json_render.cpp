// JSON form of a window: the same controls as the text form, one object per control with
// "kind" first. Row and column boxes are layout only; their children stand in their place.
// Written as it is made, so the output of a window of millions of rows is never held whole.

#include <sstream>

#include "all_dump.h"
#include "dump_render.h"
#include "json_stream.h"

namespace pofdump {

namespace {

const char* width_word(view::Table::Width width) {
    switch (width) {
        case view::Table::Width::HalfOfList:
            return "half";
        case view::Table::Width::Keep:
            return "keep";
        case view::Table::Width::Fill:
            return "fill";
        case view::Table::Width::FitHeaderAndContents:
            break;
    }
    return "fit";
}

class JsonWriter {
  public:
    explicit JsonWriter(JsonStream& json) : json_(json) {}
    // Writes the control (or a box's children) as elements of the open array.
    void control(const view::Control& c);
    void menu(const shell::Menu& menu);
    // The next list written is numbered n + 1.
    void lists_before(int n) { lists_ = n; }
    // A group's object up to its open "children" array, which the caller closes with the
    // object.
    void group_head(const view::Group& g);
    // A drop-down list without its rows and choice: its row count.
    void drop_down_head(const view::DropDown& d);

  private:
    void base(const char* kind, const view::Control& c, bool enabled);
    // Opens a list's object with its first members.
    void list_head(const char* kind, const view::Control& c);
    void list_base(const char* kind, const view::Control& c, int selected);
    void text_member(const char* kind, const view::Control& c, const std::string& text);
    void text_box(const view::TextBox& t);
    void text_input(const view::TextInput& t);
    void order(const view::Table& t);
    void header(const view::Caption& c);
    void strings(const char* key, const std::vector<std::string>& texts);
    void field(const view::Field& f);
    void drop_down(const view::DropDown& d);
    void table(const view::Table& t);
    void grid(const view::Grid& g);
    void grid_row(const view::Grid& g, std::size_t r);
    void group(const view::Group& g);

    JsonStream& json_;
    int lists_ = 0;   // lists met so far, numbered from 1 in layout order
    int inputs_ = 0;  // text inputs met so far, likewise
};

void JsonWriter::control(const view::Control& c) {
    using view::Kind;
    switch (c.kind()) {
        case Kind::Caption:
            return text_member("caption", c, static_cast<const view::Caption&>(c).text);
        case Kind::Value:
            return text_member("value", c, static_cast<const view::Value&>(c).text);
        case Kind::TextBox:
            return text_box(static_cast<const view::TextBox&>(c));
        case Kind::TextInput:
            return text_input(static_cast<const view::TextInput&>(c));
        case Kind::Field:
            return field(static_cast<const view::Field&>(c));
        case Kind::DropDown:
            return drop_down(static_cast<const view::DropDown&>(c));
        case Kind::Table:
            return table(static_cast<const view::Table&>(c));
        case Kind::Grid:
            return grid(static_cast<const view::Grid&>(c));
        case Kind::Group:
            return group(static_cast<const view::Group&>(c));
        case Kind::Box:
            for (const auto* child : static_cast<const view::Box&>(c).children) control(*child);
            return;
    }
}

// Opens the control's object with its first members.
void JsonWriter::base(const char* kind, const view::Control& c, bool enabled) {
    json_.begin_object();
    json_.key("kind");
    json_.string(kind);
    json_.key("name");
    json_.string(c.name);
    json_.key("enabled");
    json_.boolean(enabled);
}

void JsonWriter::list_head(const char* kind, const view::Control& c) {
    json_.begin_object();
    json_.key("kind");
    json_.string(kind);
    json_.key("list");
    json_.number(++lists_);
    json_.key("name");
    json_.string(c.name);
    json_.key("enabled");
    json_.boolean(c.enabled);
}

void JsonWriter::list_base(const char* kind, const view::Control& c, int selected) {
    list_head(kind, c);
    json_.key("selected");
    if (selected >= 0) {
        json_.number(selected);
    } else {
        json_.null();
    }
}

void JsonWriter::text_member(const char* kind, const view::Control& c, const std::string& text) {
    base(kind, c, c.enabled);
    json_.key("text");
    json_.string(text);
    json_.end_object();
}

void JsonWriter::text_box(const view::TextBox& t) {
    if (!t.line_feeds_as_crlf) return text_member("text", t, t.text);
    base("text", t, t.enabled);
    json_.key("text");
    json_.string_crlf(t.text);
    json_.end_object();
}

void JsonWriter::text_input(const view::TextInput& t) {
    json_.begin_object();
    json_.key("kind");
    json_.string("input");
    json_.key("input");
    json_.number(++inputs_);
    json_.key("name");
    json_.string(t.name);
    json_.key("enabled");
    json_.boolean(t.enabled);
    json_.key("text");
    json_.string(t.text);
    json_.end_object();
}

// The column the rows are sorted by (null for none) and the direction, for sortable lists.
void JsonWriter::order(const view::Table& t) {
    if (!t.sortable()) return;
    json_.key("sort");
    json_.begin_object();
    json_.key("column");
    if (t.order.column >= 0) {
        json_.number(t.order.column);
    } else {
        json_.null();
    }
    json_.key("ascending");
    json_.boolean(t.order.ascending);
    json_.end_object();
}

void JsonWriter::header(const view::Caption& c) {
    json_.begin_object();
    json_.key("text");
    json_.string(c.text);
    json_.key("enabled");
    json_.boolean(c.enabled);
}

void JsonWriter::strings(const char* key, const std::vector<std::string>& texts) {
    json_.key(key);
    json_.begin_array();
    for (const auto& t : texts) json_.string(t);
    json_.end_array();
}

// A field is shown disabled when its caption or its value is.
void JsonWriter::field(const view::Field& f) {
    base("field", f, f.enabled && f.caption.enabled && f.value.enabled);
    json_.key("caption");
    json_.string(f.caption.text);
    json_.key("value");
    json_.string(f.value.text);
    json_.end_object();
}

void JsonWriter::drop_down(const view::DropDown& d) {
    list_base("dropdown", d, d.selected);
    strings("rows", d.rows);
    json_.end_object();
}

void JsonWriter::table(const view::Table& t) {
    list_base("table", t, t.selected);
    order(t);
    json_.key("columns");
    json_.begin_array();
    for (const auto& c : t.columns) {
        json_.begin_object();
        json_.key("header");
        json_.string(c.header);
        json_.key("width");
        json_.string(width_word(c.width));
        json_.end_object();
    }
    json_.end_array();
    json_.key("rows");
    json_.begin_array();
    for (std::size_t i = 0; i < t.row_count(); ++i) {
        json_.begin_array();
        for (const auto& cell : t.cells(i)) json_.string(cell);
        json_.end_array();
    }
    json_.end_array();
    // A tree's rows: each row's depth, in row order.
    if (!t.levels.empty()) {
        json_.key("levels");
        json_.begin_array();
        for (std::size_t i = 0; i < t.row_count(); ++i) json_.number(t.level(i));
        json_.end_array();
    }
    json_.end_object();
}

void JsonWriter::grid_row(const view::Grid& g, std::size_t r) {
    json_.begin_object();
    json_.key("header");
    header(*g.rows[r]);
    json_.end_object();
    json_.key("cells");
    json_.begin_array();
    for (std::size_t k = 0; k < g.columns.size(); ++k) json_.string(g.cell(r, k).text);
    json_.end_array();
    json_.key("cells_enabled");
    json_.begin_array();
    for (std::size_t k = 0; k < g.columns.size(); ++k) json_.boolean(g.cell(r, k).enabled);
    json_.end_array();
    json_.end_object();
}

void JsonWriter::grid(const view::Grid& g) {
    base("grid", g, g.enabled);
    json_.key("columns");
    json_.begin_array();
    for (const auto& c : g.columns) {
        header(*c);
        json_.end_object();
    }
    json_.end_array();
    json_.key("rows");
    json_.begin_array();
    for (std::size_t r = 0; r < g.rows.size(); ++r) grid_row(g, r);
    json_.end_array();
    if (!g.spans.empty()) {
        json_.key("spans");
        json_.begin_array();
        for (const auto& span : g.spans) {
            header(*span.caption);
            json_.key("first");
            json_.number(static_cast<std::int64_t>(span.first));
            json_.key("count");
            json_.number(static_cast<std::int64_t>(span.count));
            json_.end_object();
        }
        json_.end_array();
    }
    json_.end_object();
}

void JsonWriter::group(const view::Group& g) {
    base("group", g, g.enabled);
    json_.key("caption");
    json_.string(g.caption);
    json_.key("children");
    json_.begin_array();
    for (const auto* child : g.children) control(*child);
    json_.end_array();
    json_.end_object();
}

void JsonWriter::group_head(const view::Group& g) {
    base("group", g, g.enabled);
    json_.key("caption");
    json_.string(g.caption);
    json_.key("children");
    json_.begin_array();
}

void JsonWriter::drop_down_head(const view::DropDown& d) {
    list_head("dropdown", d);
    json_.key("row_count");
    json_.number(static_cast<std::int64_t>(d.rows.size()));
    json_.end_object();
}

void JsonWriter::menu(const shell::Menu& menu) {
    json_.begin_object();
    json_.key("name");
    json_.string(menu.name);
    json_.key("caption");
    json_.string(menu.caption);
    json_.key("enabled");
    json_.boolean(menu.enabled);
    json_.key("entries");
    json_.begin_array();
    for (const auto& e : menu.entries) {
        json_.begin_object();
        if (e.separator()) {
            json_.key("separator");
            json_.boolean(true);
        } else {
            json_.key("name");
            json_.string(e.name);
            json_.key("caption");
            json_.string(e.caption);
            json_.key("enabled");
            json_.boolean(e.enabled);
            if (!e.shortcut.empty()) {
                json_.key("shortcut");
                json_.string(e.shortcut);
            }
        }
        json_.end_object();
    }
    json_.end_array();
    json_.end_object();
}

// Opens the window's object and its "controls" array.
void window_head(JsonStream& json, const std::string& name, const std::string& title) {
    json.begin_object();
    json.key("window");
    json.string(name);
    json.key("title");
    json.string(title);
    json.key("controls");
    json.begin_array();
}

}  // namespace

void write_viewer_json(const view::Viewer& viewer, std::ostream& out) {
    JsonStream json(out);
    window_head(json, viewer.name(), viewer.title);
    JsonWriter(json).control(viewer.layout());
    json.end_array();
    json.end_object();
    out << '\n';
}

void write_main_window_json(const shell::frmPOF& form, std::ostream& out) {
    JsonStream json(out);
    window_head(json, "frmPOF", form.title());
    JsonWriter w(json);
    w.control(form.file_label());
    w.control(form.record_list());
    json.end_array();
    json.key("menus");
    json.begin_array();
    for (const auto& menu : form.menus()) w.menu(menu);
    json.end_array();
    json.end_object();
    out << '\n';
}

// The section's place and its controls, each group holding the controls deeper than it that
// follow it.
void write_section_json(JsonStream& json, const shell::Section& section) {
    json.begin_object();
    json.key("place");
    json.begin_array();
    for (const shell::PlaceStep& step : section.place) json.string(step.text);
    json.end_array();
    json.key("controls");
    json.begin_array();
    JsonWriter w(json);
    std::vector<int> groups;  // the depths of the groups open
    const auto close_group = [&] {
        json.end_array();
        json.end_object();
        groups.pop_back();
    };
    for (const shell::SectionControl& sc : section.controls) {
        while (!groups.empty() && sc.depth <= groups.back()) close_group();
        w.lists_before(sc.list_number > 0 ? sc.list_number - 1 : 0);
        switch (sc.part) {
            case shell::SectionControl::Part::Whole:
                w.control(*sc.control);
                break;
            case shell::SectionControl::Part::GroupHead:
                w.group_head(static_cast<const view::Group&>(*sc.control));
                groups.push_back(sc.depth);
                break;
            case shell::SectionControl::Part::ListHead:
                w.drop_down_head(static_cast<const view::DropDown&>(*sc.control));
                break;
        }
    }
    while (!groups.empty()) close_group();
    json.end_array();
    json.end_object();
}

Json viewer_json(const view::Viewer& viewer) {
    std::ostringstream out;
    write_viewer_json(viewer, out);
    return Json::parse(out.str());
}

Json main_window_json(const shell::frmPOF& form) {
    std::ostringstream out;
    write_main_window_json(form, out);
    return Json::parse(out.str());
}

std::string json_text(const Json& json) {
    return json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

}  // namespace pofdump
