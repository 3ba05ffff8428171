#pragma once
// The parts of the main window that the reset and the container reader drive.

#include <cstdint>
#include <string>
#include <string_view>

#include "pof/chunk_kinds.h"

namespace pof {

class MainForm {
  public:
    virtual ~MainForm() = default;
    virtual void set_file_label(const std::string& text) = 0;
    virtual void repaint_file_label() = 0;
    virtual void clear_rows() = 0;
    virtual void add_row(const std::string& record_type, std::int32_t record_size) = 0;
    virtual void repaint_rows() = 0;
    virtual void size_columns() = 0;
    virtual void enable_window_menu(bool enabled) = 0;
    virtual void enable_entry(RecordEntry entry, bool enabled) = 0;
    virtual void set_entry_caption(RecordEntry entry, std::string_view caption) = 0;
    virtual void close_viewer(std::string_view viewer) = 0;
};

// Closes the record viewers in the given order, then the block viewers; a window that is not
// open is left alone.
void close_viewers(MainForm& form, const EntryOrder& order);

}  // namespace pof
