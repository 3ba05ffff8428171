#include "pof/read_pof.h"

#include <new>

#include "io/text.h"
#include "pof/chunk_kinds.h"

namespace pof {

namespace {

constexpr std::int64_t kChunkHeaderBytes = 8;

std::string damaged(const std::string& what) {
    return "Damaged POF file: " + what + ".";
}

std::string row_text(const ModelStore& store) {
    if (!is_subobject_chunk(store.chunk_id)) return store.chunk_id;
    return store.chunk_id + "   " + integer_text(store.current_subobject);
}

void parse_chunk(PofFile& file, ModelStore& store, MainForm& form) {
    const ChunkIdMatch match = find_chunk_id(store.chunk_id);
    if (!match.kind) {
        gUNK_data(file, store.chunk_size);
        return;
    }
    match.kind->parse(file, store.chunk_size, store);
    if (!match.id->entry_caption.empty()) {
        form.set_entry_caption(match.kind->entry, match.id->entry_caption);
    }
    form.enable_entry(match.kind->entry, true);
    if (match.kind->entry == RecordEntry::SOBJ) ++store.current_subobject;
}

// The chunk loop; returns what stopped it at a damaged chunk, or nothing. failed_at is set to
// the byte whose read failed.
std::string read_chunk_loop(PofFile& file, ModelStore& store, MainForm& form,
                            std::int64_t& failed_at) {
    while (!file.eof()) {
        const std::int64_t at = file.offset();
        if (file.left() < kChunkHeaderBytes) {
            failed_at = at;
            return damaged("the chunk header at byte " + integer_text(at) + " is cut short: " +
                           integer_text(file.left()) + " of its 8 bytes are in the file");
        }
        store.chunk_offset = at;
        store.chunk_id = file.bytes(4);
        store.chunk_size = file.i32();
        if (store.chunk_size < 1) continue;
        form.add_row(row_text(store), store.chunk_size);
        store.chunks.push_back({store.chunk_id, at, store.chunk_size, 0, false, {}});
        std::string failure;
        try {
            parse_chunk(file, store, form);
        } catch (const ReadError& e) {
            failure = e.what();
            failed_at = e.offset();
        } catch (const std::bad_alloc&) {
            // An honest but huge body (a PINF text of gigabytes) the machine cannot hold.
            failure = "there is not enough memory for it";
            failed_at = file.offset();
        }
        store.chunks.back().bytes_read = file.offset() - (at + kChunkHeaderBytes);
        store.chunks.back().complete = failure.empty();
        form.repaint_rows();
        if (!failure.empty()) {
            return damaged("the " + text8(store.chunk_id) + " chunk at byte " + integer_text(at) +
                           " could not be read: " + failure);
        }
    }
    return {};
}

// Every read in here is sized against the file's length first, so a ReadError reaches here
// only when the file itself fails under the reader: it shrank after it was opened, or the
// disk stopped answering.
ReadOutcome read_framing_and_chunks(PofFile& file, ModelStore& store, MainForm& form,
                                    view::Desktop& desktop, std::string& damage,
                                    std::int64_t& failed_at) {
    store.magic = file.bytes(std::min<std::int64_t>(4, file.left()));
    if (store.magic != "PSPO") {
        desktop.stop_message(kNotPof);
        return ReadOutcome::NotPof;
    }
    view::BusyCursor busy(desktop);
    if (file.left() < 4) {
        failed_at = 4;
        damage = damaged("the file version at byte 4 is cut short");
        return ReadOutcome::Damaged;
    }
    store.file_version = file.i32();
    form.enable_window_menu(true);
    damage = read_chunk_loop(file, store, form, failed_at);
    form.size_columns();
    return damage.empty() ? ReadOutcome::Clean : ReadOutcome::Damaged;
}

// The chunks that were read but could not be stored, one per line.
std::string unstored_text(const std::vector<std::string>& chunks) {
    std::string text = chunks.size() == 1 ? "A subobject chunk could not be stored:"
                                          : "These subobject chunks could not be stored:";
    for (const auto& chunk : chunks) text += "\n- " + chunk + ".";
    return text;
}

}  // namespace

void gUNK_data(PofFile& file, std::int32_t chunk_size) {
    file.skip(chunk_size);
}

ReadOutcome read_chunks(PofFile& file, ModelStore& store, MainForm& form, view::Desktop& desktop) {
    store.header_read = false;
    store.unstored_chunks.clear();
    store.chunks.clear();
    std::string damage;
    std::int64_t failed_at = 0;
    ReadOutcome outcome;
    try {
        outcome = read_framing_and_chunks(file, store, form, desktop, damage, failed_at);
    } catch (const ReadError& e) {
        damage = damaged(e.what());
        failed_at = e.offset();
        form.size_columns();
        outcome = ReadOutcome::Damaged;
    }
    store.read_failure = damage;
    store.read_failure_offset = damage.empty() ? 0 : failed_at;
    // One message box per read, whatever went wrong in it.
    std::string message = damage;
    if (!store.unstored_chunks.empty()) {
        if (!message.empty()) message += "\n\n";
        message += unstored_text(store.unstored_chunks);
        if (outcome == ReadOutcome::Clean) outcome = ReadOutcome::NotAllStored;
    }
    if (!message.empty()) desktop.stop_message(message);
    return outcome;
}

std::optional<std::string> choose_pof_file(view::Desktop& desktop, ReadOutcome& outcome) {
    view::OpenFileRequest request;
    request.title = "Open POF File";
    request.default_suffix = "pof";
    const auto chosen = desktop.open_file(request);
    if (chosen.status == view::OpenFileResult::Status::Cancelled) {
        outcome = ReadOutcome::Cancelled;
        return std::nullopt;
    }
    if (chosen.status == view::OpenFileResult::Status::Failed) {
        desktop.stop_message(chosen.error);
        outcome = ReadOutcome::DialogFailed;
        return std::nullopt;
    }
    return chosen.path;
}

ReadOutcome open_pof(ModelStore& store, MainForm& form, view::Desktop& desktop) {
    ReadOutcome outcome = ReadOutcome::Cancelled;
    const auto path = choose_pof_file(desktop, outcome);
    if (!path) return outcome;
    return open_pof_file(*path, store, form, desktop);
}

ReadOutcome open_pof_file(const std::string& path, ModelStore& store, MainForm& form,
                          view::Desktop& desktop) {
    return open_pof_from(path, [&path] { return PofFile::open(path); }, store, form, desktop,
                         {path, {}});
}

ReadOutcome open_pof_from(const std::string& label, const std::function<PofFile()>& open,
                          ModelStore& store, MainForm& form, view::Desktop& desktop,
                          const ModelSource& source) {
    view::BusyCursor busy(desktop);
    clr_data(store, form);
    store.source = source;
    form.set_file_label(label);
    form.repaint_file_label();
    try {
        PofFile file = open();
        return read_chunks(file, store, form, desktop);
    } catch (const OpenError& e) {
        desktop.stop_message(std::string("Cannot open ") + e.what());
        return ReadOutcome::OpenFailed;
    }
}

}  // namespace pof
