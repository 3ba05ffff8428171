// The read fuzz target: any bytes, read as a POF file through the chunk loop and every chunk
// parser, with no window opened and a main window that only keeps its rows, so it runs many
// times faster than the click-through target. It stops on the read's broken promises too: a
// read ends clean with no message or shows exactly one, the busy cursor is back to normal,
// and every record-list row is valid UTF-8.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "pof/main_form.h"
#include "io/text.h"
#include "promises.h"

namespace {

// The main window as far as the reader drives it: each row's text, as the record list would
// show it, is checked as it comes.
class RowsOnly : public pof::MainForm {
  public:
    void set_file_label(const std::string&) override {}
    void repaint_file_label() override {}
    void clear_rows() override {}
    void add_row(const std::string& record_type, std::int32_t) override {
        fuzzing::check_text(pof::text8(record_type), "ListView1");
    }
    void repaint_rows() override {}
    void size_columns() override {}
    void enable_window_menu(bool) override {}
    void enable_entry(pof::RecordEntry, bool) override {}
    void set_entry_caption(pof::RecordEntry, std::string_view) override {}
    void close_viewer(std::string_view) override {}
};

void read(pof::ModelStore& store, std::string_view bytes) {
    view::HeadlessDesktop desktop;
    RowsOnly form;
    pof::clr_data(store, form);
    auto file = pof::PofFile::from_bytes(bytes);
    fuzzing::check_read(pof::read_chunks(file, store, form, desktop), desktop);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    {
        pof::ModelStore store;
        read(store, bytes);
    }
    {
        // Over what an earlier file left: the parsers meet stale tables beside fresh counts.
        pof::ModelStore store = fuzzing::store_after_an_earlier_file();
        read(store, bytes);
    }
    return 0;
}
