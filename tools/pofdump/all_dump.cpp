#include "all_dump.h"

#include "io/text.h"
#include "json_stream.h"
#include "view/window_text.h"

namespace pofdump {

namespace {

void write_section_text(const shell::Section& section, std::ostream& out) {
    view::TextWriter heading(out);
    heading.line(view::one_line(shell::place_text(section.place)));
    for (const shell::SectionControl& sc : section.controls) {
        const view::Control& c = *sc.control;
        const std::size_t indent = 2 + 2 * static_cast<std::size_t>(sc.depth);
        view::TextWriter w(out, indent, sc.list_number > 0 ? sc.list_number - 1 : 0);
        switch (sc.part) {
            case shell::SectionControl::Part::Whole:
                w.control(c);
                break;
            case shell::SectionControl::Part::GroupHead:
                w.line("[" + view::one_line(static_cast<const view::Group&>(c).caption) + "]" +
                       view::disabled_mark(c.enabled));
                break;
            case shell::SectionControl::Part::ListHead: {
                const auto rows =
                    static_cast<std::int64_t>(static_cast<const view::DropDown&>(c).rows.size());
                std::string head = "list " + pof::integer_text(sc.list_number);
                if (!c.name.empty()) head += " " + view::one_line(c.name);
                w.line(head + view::disabled_mark(c.enabled) + ": " + pof::integer_text(rows) +
                       (rows == 1 ? " row" : " rows"));
                break;
            }
        }
    }
}

}  // namespace

void write_all_text(shell::frmPOF& form, view::Windows& windows, std::ostream& out) {
    shell::walk_model(form, windows,
                      [&](const shell::Section& section) { write_section_text(section, out); });
}

void write_all_json(shell::frmPOF& form, view::Windows& windows, std::ostream& out) {
    JsonStream json(out);
    json.begin_object();
    json.key("sections");
    json.begin_array();
    shell::walk_model(form, windows,
                      [&](const shell::Section& section) { write_section_json(json, section); });
    json.end_array();
    json.end_object();
    out << '\n';
}

}  // namespace pofdump
