#include "pof/read_pof.h"

#include <new>

#include "pof/text.h"
#include "records/chunk_table.h"

namespace pof {

namespace {

constexpr std::int64_t kChunkHeaderBytes = 8;

std::string damaged(const std::string& what) {
    return "Damaged POF file: " + what + ".";
}

std::string row_text(const ModelStore& store) {
    if (!records::is_subobject_chunk(store.chunk_id)) return store.chunk_id;
    return store.chunk_id + "   " + integer_text(store.current_subobject);
}

void parse_chunk(PofFile& file, ModelStore& store, MainForm& form) {
    const auto* type = records::find_chunk_type(store.chunk_id);
    if (!type) {
        gUNK_data(file, store.chunk_size);
    } else {
        type->parse(file, store.chunk_size, store);
        if (!type->caption.empty()) form.set_entry_caption(type->entry, type->caption);
        form.enable_entry(type->entry, true);
    }
    if (records::is_subobject_chunk(store.chunk_id)) ++store.current_subobject;
}

// The chunk loop; returns false when a damaged chunk stopped it.
bool read_chunk_loop(PofFile& file, ModelStore& store, MainForm& form, view::Desktop& desktop) {
    while (!file.eof()) {
        const std::int64_t at = file.offset();
        if (file.left() < kChunkHeaderBytes) {
            desktop.stop_message(damaged("the chunk header at byte " + integer_text(at) +
                                         " is cut short: " + integer_text(file.left()) +
                                         " of its 8 bytes are in the file"));
            return false;
        }
        store.chunk_id = file.bytes(4);
        store.chunk_size = file.i32();
        if (store.chunk_size < 1) continue;
        form.add_row(row_text(store), store.chunk_size);
        std::string failure;
        try {
            parse_chunk(file, store, form);
        } catch (const ReadError& e) {
            failure = e.what();
        } catch (const std::bad_alloc&) {
            // An honest but huge body (a PINF text of gigabytes) the machine cannot hold.
            failure = "there is not enough memory for it";
        }
        if (!failure.empty()) {
            desktop.stop_message(damaged("the " + text8(store.chunk_id) + " chunk at byte " +
                                         integer_text(at) + " could not be read: " + failure));
            form.repaint_rows();
            return false;
        }
        form.repaint_rows();
    }
    return true;
}

// Every read in here is sized against the file's length first, so a ReadError reaches here
// only when the file itself fails under the reader: it shrank after it was opened, or the
// disk stopped answering.
ReadOutcome read_framing_and_chunks(PofFile& file, ModelStore& store, MainForm& form,
                                    view::Desktop& desktop) {
    store.magic = file.bytes(std::min<std::int64_t>(4, file.left()));
    if (store.magic != "PSPO") {
        desktop.stop_message(kNotPof);
        return ReadOutcome::NotPof;
    }
    view::BusyCursor busy(desktop);
    if (file.left() < 4) {
        desktop.stop_message(damaged("the file version at byte 4 is cut short"));
        return ReadOutcome::Damaged;
    }
    store.file_version = file.i32();
    form.enable_window_menu(true);
    const bool clean = read_chunk_loop(file, store, form, desktop);
    form.size_columns();
    return clean ? ReadOutcome::Clean : ReadOutcome::Damaged;
}

}  // namespace

void gUNK_data(PofFile& file, std::int32_t chunk_size) {
    file.skip(chunk_size);
}

ReadOutcome read_chunks(PofFile& file, ModelStore& store, MainForm& form, view::Desktop& desktop) {
    try {
        return read_framing_and_chunks(file, store, form, desktop);
    } catch (const ReadError& e) {
        desktop.stop_message(damaged(e.what()));
        form.size_columns();
        return ReadOutcome::Damaged;
    }
}

ReadOutcome open_pof(ModelStore& store, MainForm& form, view::Desktop& desktop) {
    view::OpenFileRequest request;
    request.title = "Open POF File";
    request.default_suffix = "pof";
    const auto chosen = desktop.open_file(request);
    if (chosen.status == view::OpenFileResult::Status::Cancelled) return ReadOutcome::Cancelled;
    if (chosen.status == view::OpenFileResult::Status::Failed) {
        desktop.stop_message(chosen.error);
        return ReadOutcome::DialogFailed;
    }
    view::BusyCursor busy(desktop);
    clr_data(store, form);
    form.set_file_label(chosen.path);
    form.repaint_file_label();
    try {
        PofFile file = PofFile::open(chosen.path);
        return read_chunks(file, store, form, desktop);
    } catch (const OpenError& e) {
        desktop.stop_message(std::string("Cannot open ") + e.what());
        return ReadOutcome::OpenFailed;
    }
}

}  // namespace pof
