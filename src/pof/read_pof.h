#pragma once
// The container reader: the open command, the magic and version, and the chunk loop that
// lists every chunk and hands its body to the parser of its type.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "io/pof_file.h"
#include "pof/global_data.h"
#include "pof/main_form.h"
#include "view/desktop.h"

namespace pof {

// NotAllStored: read to the end, but some chunks could not be stored (a subobject number
// outside the header's table, say).
enum class ReadOutcome {
    Clean,
    NotAllStored,
    Cancelled,
    DialogFailed,
    OpenFailed,
    NotPof,
    Damaged
};

// File > Open: the dialog, the reset, the read.
ReadOutcome open_pof(ModelStore& store, MainForm& form, view::Desktop& desktop);

// The open dialog of File > Open: the file chosen, or nothing, with outcome set to Cancelled
// or to DialogFailed once the system's words were shown.
std::optional<std::string> choose_pof_file(view::Desktop& desktop, ReadOutcome& outcome);

// What File > Open does once the dialog named a file: the reset, the file label, the read.
// A file dropped on the main window and a reload are read through it too.
ReadOutcome open_pof_file(const std::string& path, ModelStore& store, MainForm& form,
                          view::Desktop& desktop);

// The same for a model whose bytes open() gives (a member of an archive), named label in the
// file label and in the message when open() throws OpenError; source says where it lies.
ReadOutcome open_pof_from(const std::string& label, const std::function<PofFile()>& open,
                          ModelStore& store, MainForm& form, view::Desktop& desktop,
                          const ModelSource& source = {});

// Reads the magic, the version and every chunk from the file's first byte on. A damaged
// chunk stops the read; what was listed and read before it stays. Whatever went wrong is told
// in one message box at the end.
ReadOutcome read_chunks(PofFile& file, ModelStore& store, MainForm& form, view::Desktop& desktop);

// Skips the body of a chunk type without a parser.
void gUNK_data(PofFile& file, std::int32_t chunk_size);

// The reset before every read: empties the main window, closes every viewer and empties
// every record of the store.
void clr_data(ModelStore& store, MainForm& form);

inline constexpr const char* kNotPof = "Not a POF file!";

}  // namespace pof
