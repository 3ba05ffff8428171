#include "all_dump.h"

#include <streambuf>
#include <vector>

#include "io/text.h"
#include "json_stream.h"
#include "view/window_text.h"

namespace pofdump {

namespace {

// Output gathered in pieces of 256 KiB before it goes to the stream: the many short lines of
// a walk then cost one write per piece instead of a locked write each.
class PieceBuffer : public std::streambuf {
  public:
    explicit PieceBuffer(std::ostream& out) : out_(out), piece_(std::size_t{256} * 1024) {
        setp(piece_.data(), piece_.data() + piece_.size());
    }
    ~PieceBuffer() override { PieceBuffer::sync(); }
    PieceBuffer(const PieceBuffer&) = delete;
    PieceBuffer& operator=(const PieceBuffer&) = delete;

  protected:
    int_type overflow(int_type c) override {
        sync();
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
        return c;
    }
    int sync() override {
        out_.write(pbase(), pptr() - pbase());
        setp(piece_.data(), piece_.data() + piece_.size());
        return out_ ? 0 : -1;
    }

  private:
    std::ostream& out_;
    std::vector<char> piece_;
};

void write_section_text(const shell::Section& section, std::ostream& out) {
    view::TextWriter w(out);
    w.line(view::one_line(shell::place_text(section.place)));
    for (const shell::SectionControl& sc : section.controls) {
        const view::Control& c = *sc.control;
        const std::size_t indent = 2 + 2 * static_cast<std::size_t>(sc.depth);
        w.restart(indent, sc.list_number > 0 ? sc.list_number - 1 : 0);
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
    PieceBuffer pieces(out);
    std::ostream buffered(&pieces);
    shell::walk_model(form, windows, [&](const shell::Section& section) {
        write_section_text(section, buffered);
    });
}

void write_all_json(shell::frmPOF& form, view::Windows& windows, std::ostream& out_stream) {
    PieceBuffer pieces(out_stream);
    std::ostream out(&pieces);
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
