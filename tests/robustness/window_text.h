#pragma once
// Everything a window shows, as one text: each control's texts, selection and enabled state.
// Two windows show the same thing exactly when their texts are equal.

#include <string>

#include "table_rows.h"
#include "view/viewer.h"

namespace robustness {

inline void append_control(std::string& out, const view::Control& c) {
    using view::Kind;
    out += c.enabled ? "+" : "-";
    switch (c.kind()) {
        case Kind::Caption:
            out += static_cast<const view::Caption&>(c).text;
            break;
        case Kind::Value:
            out += static_cast<const view::Value&>(c).text;
            break;
        case Kind::Field: {
            const auto& f = static_cast<const view::Field&>(c);
            out += f.caption.text + (f.caption.enabled ? "+" : "-") + "=" + f.value.text;
            break;
        }
        case Kind::TextBox:
            out += static_cast<const view::TextBox&>(c).text;
            break;
        case Kind::TextInput:
            out += static_cast<const view::TextInput&>(c).text;
            break;
        case Kind::DropDown: {
            const auto& d = static_cast<const view::DropDown&>(c);
            for (const auto& row : d.rows) out += row + "|";
            out += "selected " + std::to_string(d.selected);
            break;
        }
        case Kind::Table: {
            const auto& t = static_cast<const view::Table&>(c);
            for (const auto& row : testing_pof::rows_of(t)) {
                for (const auto& cell : row) out += cell + "|";
                out += ";";
            }
            out += "selected " + std::to_string(t.selected);
            break;
        }
        case Kind::Grid: {
            const auto& g = static_cast<const view::Grid&>(c);
            for (const auto& h : g.columns) out += h->text + (h->enabled ? "+|" : "-|");
            for (const auto& h : g.rows) out += h->text + (h->enabled ? "+|" : "-|");
            for (const auto& v : g.cells) out += v->text + "|";
            break;
        }
        case Kind::Group:
            out += static_cast<const view::Group&>(c).caption;
            break;
        case Kind::Box:
            break;
    }
    out += "\n";
}

inline std::string window_text(const view::Viewer& viewer) {
    std::string out = viewer.name() + ": " + viewer.title + "\n";
    for (const auto* c : view::controls_of(viewer.layout())) append_control(out, *c);
    return out;
}

}  // namespace robustness
