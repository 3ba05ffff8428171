// JSON form of a window: the same controls as the text form, one object per control with
// "kind" first. Row and column boxes are layout only; their children stand in their place.

#include "dump_render.h"

namespace pofdump {

namespace {

Json selected_json(int selected) {
    return selected >= 0 ? Json(selected) : Json(nullptr);
}

const char* width_word(view::Table::Width width) {
    switch (width) {
        case view::Table::Width::HalfOfList:
            return "half";
        case view::Table::Width::Keep:
            return "keep";
        case view::Table::Width::FitHeaderAndContents:
            break;
    }
    return "fit";
}

Json header_json(const view::Caption& c) {
    return Json{{"text", c.text}, {"enabled", c.enabled}};
}

class JsonWriter {
  public:
    // Appends the control (or a box's children) to out.
    void control(const view::Control& c, Json& out);

  private:
    Json base(const char* kind, const view::Control& c) {
        return Json{{"kind", kind}, {"name", c.name}, {"enabled", c.enabled}};
    }
    Json list_base(const char* kind, const view::Control& c) {
        Json j{{"kind", kind}, {"list", ++lists_}};
        j["name"] = c.name;
        j["enabled"] = c.enabled;
        return j;
    }
    Json field(const view::Field& f);
    Json drop_down(const view::DropDown& d);
    Json table(const view::Table& t);
    Json grid(const view::Grid& g);
    Json group(const view::Group& g);

    int lists_ = 0;  // lists met so far, numbered from 1 in layout order
};

void JsonWriter::control(const view::Control& c, Json& out) {
    using view::Kind;
    switch (c.kind()) {
        case Kind::Caption:
            out.push_back(base("caption", c));
            out.back()["text"] = static_cast<const view::Caption&>(c).text;
            break;
        case Kind::Value:
            out.push_back(base("value", c));
            out.back()["text"] = static_cast<const view::Value&>(c).text;
            break;
        case Kind::TextBox:
            out.push_back(base("text", c));
            out.back()["text"] = static_cast<const view::TextBox&>(c).text;
            break;
        case Kind::Field:
            out.push_back(field(static_cast<const view::Field&>(c)));
            break;
        case Kind::DropDown:
            out.push_back(drop_down(static_cast<const view::DropDown&>(c)));
            break;
        case Kind::Table:
            out.push_back(table(static_cast<const view::Table&>(c)));
            break;
        case Kind::Grid:
            out.push_back(grid(static_cast<const view::Grid&>(c)));
            break;
        case Kind::Group:
            out.push_back(group(static_cast<const view::Group&>(c)));
            break;
        case Kind::Box:
            for (const auto* child : static_cast<const view::Box&>(c).children)
                control(*child, out);
            break;
    }
}

Json JsonWriter::field(const view::Field& f) {
    // A field is shown disabled when its caption or its value is.
    Json j = base("field", f);
    j["enabled"] = f.enabled && f.caption.enabled && f.value.enabled;
    j["caption"] = f.caption.text;
    j["value"] = f.value.text;
    return j;
}

Json JsonWriter::drop_down(const view::DropDown& d) {
    Json j = list_base("dropdown", d);
    j["selected"] = selected_json(d.selected);
    j["rows"] = d.rows;
    return j;
}

Json JsonWriter::table(const view::Table& t) {
    Json j = list_base("table", t);
    j["selected"] = selected_json(t.selected);
    Json columns = Json::array();
    for (const auto& c : t.columns) {
        columns.push_back(Json{{"header", c.header}, {"width", width_word(c.width)}});
    }
    j["columns"] = std::move(columns);
    j["rows"] = t.rows;
    return j;
}

Json JsonWriter::grid(const view::Grid& g) {
    Json j = base("grid", g);
    Json columns = Json::array(), rows = Json::array();
    for (const auto& c : g.columns) columns.push_back(header_json(*c));
    for (std::size_t r = 0; r < g.rows.size(); ++r) {
        Json cells = Json::array(), cells_enabled = Json::array();
        for (std::size_t k = 0; k < g.columns.size(); ++k) {
            cells.push_back(g.cell(r, k).text);
            cells_enabled.push_back(g.cell(r, k).enabled);
        }
        rows.push_back(Json{{"header", header_json(*g.rows[r])},
                            {"cells", std::move(cells)},
                            {"cells_enabled", std::move(cells_enabled)}});
    }
    j["columns"] = std::move(columns);
    j["rows"] = std::move(rows);
    if (!g.spans.empty()) {
        Json spans = Json::array();
        for (const auto& span : g.spans) {
            Json s = header_json(*span.caption);
            s["first"] = span.first;
            s["count"] = span.count;
            spans.push_back(std::move(s));
        }
        j["spans"] = std::move(spans);
    }
    return j;
}

Json JsonWriter::group(const view::Group& g) {
    Json j = base("group", g);
    j["caption"] = g.caption;
    Json children = Json::array();
    for (const auto* child : g.children) control(*child, children);
    j["children"] = std::move(children);
    return j;
}

Json menu_json(const shell::Menu& menu) {
    Json entries = Json::array();
    for (const auto& e : menu.entries) {
        if (e.separator()) {
            entries.push_back(Json{{"separator", true}});
        } else {
            Json entry{{"name", e.name}, {"caption", e.caption}, {"enabled", e.enabled}};
            if (!e.shortcut.empty()) entry["shortcut"] = e.shortcut;
            entries.push_back(std::move(entry));
        }
    }
    return Json{{"name", menu.name},
                {"caption", menu.caption},
                {"enabled", menu.enabled},
                {"entries", std::move(entries)}};
}

Json window_json(const std::string& name, const std::string& title) {
    return Json{{"window", name}, {"title", title}, {"controls", Json::array()}};
}

}  // namespace

Json viewer_json(const view::Viewer& viewer) {
    Json j = window_json(viewer.name(), viewer.title);
    JsonWriter().control(viewer.layout(), j["controls"]);
    return j;
}

Json main_window_json(const shell::frmPOF& form) {
    Json j = window_json("frmPOF", form.title());
    JsonWriter w;
    w.control(form.file_label(), j["controls"]);
    w.control(form.record_list(), j["controls"]);
    Json menus = Json::array();
    for (const auto& menu : form.menus()) menus.push_back(menu_json(menu));
    j["menus"] = std::move(menus);
    return j;
}

std::string json_text(const Json& json) {
    return json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

}  // namespace pofdump
