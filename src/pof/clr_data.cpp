#include "pof/read_pof.h"
#include "records/subobjects/block_kinds.h"

namespace pof {

void clr_data(ModelStore& store, MainForm& form) {
    form.set_file_label("");
    form.clear_rows();
    form.enable_window_menu(false);
    for (const RecordEntry e : kResetDisableOrder) form.enable_entry(e, false);
    store.current_subobject = 0;
    close_viewers(form, kResetCloseOrder);
    // Every record and the subobject viewer's browsing state start empty, so no window can
    // show a value the next file did not give (a cut TXTR chunk beside the last file's
    // names, say). Within one file a chunk still overwrites the record of its type.
    std::vector<std::string> folders = std::move(store.texture_folders);
    store = ModelStore{};
    store.texture_folders = std::move(folders);
}

void close_viewers(MainForm& form, const EntryOrder& order) {
    for (const RecordEntry e : order) form.close_viewer(kind_of(e).viewer);
    for (const records::BlockKind& block : records::block_kinds()) {
        if (!block.window.empty()) form.close_viewer(block.window);
    }
    for (const ViewWindowInfo& w : kViewWindows) form.close_viewer(w.viewer);
}

}  // namespace pof
