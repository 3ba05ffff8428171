#include "promises.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "every_chunk_model.h"
#include "io/text.h"
#include "pof/main_form.h"
#include "shell/frmPOF.h"
#include "view/viewer.h"

namespace fuzzing {

namespace {

bool valid_utf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto lead = static_cast<unsigned char>(s[i]);
        const std::size_t len = lead < 0x80           ? 1
                                : (lead >> 5) == 0x6  ? 2
                                : (lead >> 4) == 0xE  ? 3
                                : (lead >> 3) == 0x1E ? 4
                                                      : 0;
        if (len == 0 || len > s.size() - i) return false;
        for (std::size_t k = 1; k < len; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        }
        i += len;
    }
    return true;
}

// The main window as far as the reader drives it.
class RowsOnly : public pof::MainForm {
  public:
    void set_file_label(const std::string&) override {}
    void repaint_file_label() override {}
    void clear_rows() override {}
    void add_row(const std::string& record_type, std::int32_t) override {
        check_text(pof::text8(record_type), "ListView1");
    }
    void repaint_rows() override {}
    void size_columns() override {}
    void enable_window_menu(bool) override {}
    void enable_entry(pof::RecordEntry, bool) override {}
    void set_entry_caption(pof::RecordEntry, std::string_view) override {}
    void close_viewer(std::string_view) override {}
};

}  // namespace

void check_text(std::string_view text, std::string_view where) {
    if (!valid_utf8(text)) broken("text is not UTF-8 in", where);
}

void broken(const char* promise, std::string_view detail) {
    std::fprintf(stderr, "fuzz: broken promise: %s %.*s\n", promise,
                 static_cast<int>(detail.size()), detail.data());
    std::abort();
}

void check_texts(const view::Control& c, std::string_view where) {
    using view::Kind;
    switch (c.kind()) {
        case Kind::Caption:
            check_text(static_cast<const view::Caption&>(c).text, where);
            break;
        case Kind::Value:
            check_text(static_cast<const view::Value&>(c).text, where);
            break;
        case Kind::Field: {
            const auto& f = static_cast<const view::Field&>(c);
            check_text(f.caption.text, where);
            check_text(f.value.text, where);
            break;
        }
        case Kind::TextBox:
            check_text(static_cast<const view::TextBox&>(c).text, where);
            break;
        case Kind::TextInput:
            check_text(static_cast<const view::TextInput&>(c).text, where);
            break;
        case Kind::DropDown:
            for (const auto& row : static_cast<const view::DropDown&>(c).rows) {
                check_text(row, where);
            }
            break;
        case Kind::Table: {
            const auto& t = static_cast<const view::Table&>(c);
            for (const auto& column : t.columns) check_text(column.header, where);
            for (std::size_t i = 0; i < t.row_count(); ++i) {
                for (const auto& cell : t.cells(i)) check_text(cell, where);
            }
            break;
        }
        case Kind::Grid: {
            const auto& g = static_cast<const view::Grid&>(c);
            for (const auto& h : g.columns) check_text(h->text, where);
            for (const auto& h : g.rows) check_text(h->text, where);
            for (const auto& v : g.cells) check_text(v->text, where);
            for (const auto& span : g.spans) check_text(span.caption->text, where);
            break;
        }
        case Kind::Group:
            check_text(static_cast<const view::Group&>(c).caption, where);
            break;
        case Kind::Box:
            break;
    }
}

void check_windows(const view::HeadlessWindows& windows) {
    for (const auto& w : windows.open) {
        check_text(w.viewer->title, w.viewer->name());
        for (const auto* c : view::controls_of(w.viewer->layout()))
            check_texts(*c, w.viewer->name());
    }
}

void check_read(pof::ReadOutcome outcome, const view::HeadlessDesktop& desktop) {
    const std::size_t expected_messages = outcome == pof::ReadOutcome::Clean ? 0 : 1;
    if (desktop.messages.size() != expected_messages) broken("one message per failed read");
    if (desktop.busy_depth != 0) broken("busy cursor restored");
}

void read_model(pof::ModelStore& store, std::string_view bytes) {
    view::HeadlessDesktop desktop;
    RowsOnly form;
    pof::clr_data(store, form);
    auto file = pof::PofFile::from_bytes(bytes);
    check_read(pof::read_chunks(file, store, form, desktop), desktop);
}

const pof::ModelStore& store_after_an_earlier_file() {
    static const pof::ModelStore earlier = [] {
        pof::ModelStore store;
        const std::string model = testing_pof::every_chunk_model();
        view::HeadlessDesktop desktop;
        view::HeadlessWindows windows;
        shell::frmPOF form(store, desktop, windows);
        auto file = pof::PofFile::from_bytes(model);
        pof::read_chunks(file, store, form, desktop);
        return store;
    }();
    return earlier;
}

}  // namespace fuzzing
