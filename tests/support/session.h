#pragma once
// One run of the program without a screen: a store, the main window's logic, a desktop and
// windows that record what they were asked.

#include <string>
#include <utility>
#include <vector>

#include "pof/read_pof.h"
#include "records/subobjects/subobject_context.h"
#include "shell/frmPOF.h"
#include "table_rows.h"
#include "view/headless.h"

namespace testing_pof {

struct Session {
    pof::ModelStore store;
    view::HeadlessDesktop desktop;
    view::HeadlessWindows windows;
    shell::frmPOF form{store, desktop, windows};

    Session() { form.window_opened(); }

    // Reads bytes as a file chosen in the open dialog would be read.
    pof::ReadOutcome read(const std::string& bytes) {
        pof::clr_data(store, form);
        auto file = pof::PofFile::from_bytes(bytes);
        return pof::read_chunks(file, store, form, desktop);
    }

    std::vector<std::pair<std::string, std::string>> rows() const {
        std::vector<std::pair<std::string, std::string>> out;
        for (const auto& r : testing_pof::rows_of(form.record_list())) out.emplace_back(r[0], r[1]);
        return out;
    }

    bool entry_enabled(std::string_view name) const { return form.reachable(name); }
    std::string caption(std::string_view name) const { return form.find_entry(name)->caption; }

    view::Viewer* viewer(std::string_view name) { return windows.find(name); }

    // What the subobject viewer and the block viewers are made with.
    records::SubobjectContext subobject_context() {
        return {store.subobjects, store.ohdr.subobject_count, store, store.browsing, windows,
                desktop};
    }
};

}  // namespace testing_pof
