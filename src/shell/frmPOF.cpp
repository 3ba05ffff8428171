#include "shell/frmPOF.h"

#include <algorithm>
#include <new>
#include <utility>

#include "check/frmModelCheck.h"
#include "compare/frmCompare.h"
#include "io/text.h"
#include "scene/frmModelView.h"
#include "shell/archive_text.h"
#include "shell/command_line.h"
#include "shell/compared_model.h"
#include "shell/frmArchive.h"
#include "shell/row_text.h"
#include "shell/show_item.h"

namespace shell {

namespace {

using pof::RecordEntry;

std::vector<Menu> initial_menus() {
    Menu file{"IDM_FILE",
              "&File",
              true,
              {{"IDM_OPEN", "&Open", true},
               {"", "", true},
               {"IDM_SAVE", "&Save", false},
               {"IDM_SAVE_AS", "Save &As", false},
               {"", "", true},
               {"IDM_EXIT", "&Exit", true}}};
    Menu window{"IDM_WINDOW", "&Window", false, {{"IDM_CLOSE_ALL", "Close All", true}}};
    for (const auto& e : pof::chunk_kinds()) {
        window.entries.push_back({std::string(e.menu_name), std::string(e.caption), false});
    }
    Menu view{"IDM_VIEW", "&View", false, {}};
    for (const auto& w : pof::kViewWindows) {
        view.entries.push_back(
            {std::string(w.menu_name), std::string(w.caption), true, std::string(w.shortcut)});
    }
    view.entries.push_back({"", "", true});
    view.entries.push_back({std::string(frmPOF::kTextureFolders), "&Texture Folders\u2026", true});
    return {file, window, view};
}

}  // namespace

std::optional<RecordEntry> entry_for_chunk_id(std::string_view id) {
    const pof::ChunkIdMatch match = pof::find_chunk_id(id);
    if (!match.kind) return std::nullopt;
    return match.kind->entry;
}

frmPOF::frmPOF(pof::ModelStore& store, view::Desktop& desktop, view::Windows& windows)
    : store_(store),
      desktop_(desktop),
      windows_(windows),
      list_({{"Record Type"}, {"Record Size"}}, "ListView1"),
      menus_(initial_menus()) {
    list_.on_click = [this](int row) { row_clicked(row); };
    list_.on_double_click = [this](int row) { row_double_clicked(row); };
}

void frmPOF::window_opened() {
    enable_window_menu(false);
    set_file_label("");
    clear_rows();
    size_columns();
}

pof::ReadOutcome frmPOF::open() {
    pof::ReadOutcome outcome = pof::ReadOutcome::Cancelled;
    const auto path = pof::choose_pof_file(desktop_, outcome);
    return path ? open_file(*path) : outcome;
}

// The file is opened once: its magic is read from the open file, which is then read as a
// model or listed as an archive, so nothing can replace it between the look and the read.
pof::ReadOutcome frmPOF::open_file(const std::string& path) {
    std::optional<pof::PofFile> file;
    std::string why;
    try {
        file.emplace(pof::PofFile::open(path));
    } catch (const pof::OpenError& e) {
        why = e.what();
    }
    if (file) return open_file(path, std::move(*file));
    source_ = Source{path, {}};
    const auto cannot_open = [&]() -> pof::PofFile { throw pof::OpenError(why); };
    return pof::open_pof_from(path, cannot_open, store_, *this, desktop_, {path, {}});
}

pof::ReadOutcome frmPOF::open_file(const std::string& path, pof::PofFile file) {
    if (archive::has_archive_magic(file)) return open_archive(path, std::move(file));
    source_ = Source{path, {}};
    return pof::open_pof_from(path, [&] { return std::move(file); }, store_, *this, desktop_,
                              {path, {}});
}

// A directory with faults is listed all the same; the faults are told in one message box
// over the archive window.
pof::ReadOutcome frmPOF::open_archive(const std::string& path, pof::PofFile file) {
    view::BusyCursor busy(desktop_);
    std::shared_ptr<const archive::Archive> listed;
    try {
        listed =
            std::make_shared<const archive::Archive>(archive::Archive::read(std::move(file), path));
    } catch (const pof::OpenError& e) {
        desktop_.stop_message(std::string("Cannot open ") + e.what());
        return pof::ReadOutcome::OpenFailed;
    } catch (const pof::ReadError& e) {
        desktop_.stop_message(damaged_archive_message(e.what()));
        return pof::ReadOutcome::OpenFailed;
    } catch (const std::bad_alloc&) {
        desktop_.stop_message(damaged_archive_message("there is not enough memory to list it"));
        return pof::ReadOutcome::OpenFailed;
    }
    show_archive(listed);
    if (listed->notes().empty()) return pof::ReadOutcome::Clean;
    desktop_.stop_message(notes_message(*listed));
    return pof::ReadOutcome::Damaged;
}

void frmPOF::show_archive(std::shared_ptr<const archive::Archive> listed) {
    close_viewer(frmArchive::kName);
    auto window = std::make_unique<frmArchive>(
        std::move(listed),
        [this](const frmArchive::Listed& archive, const archive::Member& member) {
            return open_member(archive, member);
        });
    window->opened();
    present(windows_.create(std::move(window)));
}

pof::ReadOutcome frmPOF::open_member(const std::shared_ptr<const archive::Archive>& archive,
                                     const archive::Member& member) {
    const std::string path(archive->path_of(member));
    source_ = Source{archive->path(), path};
    const std::string label = member_label(archive->path(), path);
    const auto open = [&] {
        try {
            return archive->open_member(member);
        } catch (const pof::OpenError& e) {
            throw pof::OpenError(label + ": " + e.what());
        }
    };
    return pof::open_pof_from(label, open, store_, *this, desktop_, {archive->path(), path});
}

// The archive is listed again, so a member that moved inside it is still found.
pof::ReadOutcome frmPOF::reload_member(const Source& source) {
    const std::string label = member_label(source.path, source.member);
    const auto open = [&] {
        try {
            const auto listed = archive::Archive::open(source.path);
            const archive::Member* member = listed.find(source.member);
            if (!member) throw pof::OpenError("the archive holds no file of that path");
            return listed.open_member(*member);
        } catch (const pof::ReadError& e) {
            throw pof::OpenError(label + ": the archive's directory cannot be read: " + e.what());
        } catch (const pof::OpenError& e) {
            throw pof::OpenError(label + ": " + e.what());
        }
    };
    return pof::open_pof_from(label, open, store_, *this, desktop_, {source.path, source.member});
}

std::optional<pof::ReadOutcome> frmPOF::open_at_start(const std::vector<std::string>& files) {
    if (files.empty()) return std::nullopt;
    if (files.size() == 1) return open_file(files.front());
    desktop_.stop_message(several_files_message(files.size()));
    return pof::ReadOutcome::OpenFailed;
}

std::optional<pof::ReadOutcome> frmPOF::reload() {
    if (!source_) return std::nullopt;
    // A copy: the read sets the source again.
    const Source source = *source_;
    const std::vector<KeptWindow> kept = open_view_windows();
    const pof::ReadOutcome outcome =
        source.member.empty() ? open_file(source.path) : reload_member(source);
    reopen(kept);
    return outcome;
}

// The window in front last, so it is reopened last and stays in front.
std::vector<frmPOF::KeptWindow> frmPOF::open_view_windows() {
    std::vector<KeptWindow> kept;
    for (const pof::ViewWindowInfo& w : pof::kViewWindows) {
        view::Viewer* viewer = windows_.find(w.viewer);
        if (!viewer) continue;
        KeptWindow k{&w, {}};
        for (view::Control* list : view::lists_of(viewer->layout())) {
            if (list->kind() == view::Kind::DropDown)
                k.chosen.push_back(static_cast<view::DropDown*>(list)->selected_text());
        }
        kept.push_back(std::move(k));
    }
    std::stable_partition(kept.begin(), kept.end(), [this](const KeptWindow& k) {
        return k.window->viewer != windows_.front();
    });
    return kept;
}

// Drop-down rows are found again by their text: the same row number can mean another detail
// level in the file read now.
void frmPOF::reopen(const std::vector<KeptWindow>& kept) {
    for (const KeptWindow& k : kept) {
        if (!reachable(k.window->menu_name)) continue;
        show_view_window(*k.window);
        view::Viewer* viewer = windows_.find(k.window->viewer);
        if (!viewer) continue;
        std::size_t next = 0;
        for (view::Control* list : view::lists_of(viewer->layout())) {
            if (list->kind() != view::Kind::DropDown || next >= k.chosen.size()) continue;
            auto& drop_down = *static_cast<view::DropDown*>(list);
            const auto& rows = drop_down.rows;
            const auto found = std::find(rows.begin(), rows.end(), k.chosen[next++]);
            const int row = static_cast<int>(found - rows.begin());
            if (found != rows.end() && drop_down.enabled && row != drop_down.selected)
                drop_down.choose(row);
        }
        windows_.sync(k.window->viewer);
    }
}

void frmPOF::menu_command(std::string_view name) {
    if (!reachable(name)) return;
    if (name == "IDM_OPEN") {
        open();
    } else if (name == "IDM_EXIT") {
        desktop_.quit();
    } else if (name == "IDM_CLOSE_ALL") {
        close_all();
    } else if (name == kTextureFolders) {
        choose_texture_folders();
    } else if (name == "IDM_COMPARE") {
        compare_with();
    } else {
        for (const auto& e : pof::chunk_kinds()) {
            if (e.menu_name == name) show_viewer(e.entry);
        }
        for (const auto& w : pof::kViewWindows) {
            if (w.menu_name == name) show_view_window(w);
        }
    }
}

// The folders searched for textures first; the windows over the whole model look again.
void frmPOF::choose_texture_folders() {
    auto chosen = desktop_.choose_folders("Texture Folders", store_.texture_folders);
    if (!chosen) return;
    store_.texture_folders = std::move(*chosen);
    for (const auto& w : pof::kViewWindows) {
        if (!windows_.find(w.viewer)) continue;
        windows_.close(w.viewer);
        show_view_window(w);
    }
}

void frmPOF::compare_with() {
    view::OpenFileRequest request;
    request.title = "Compare With";
    request.default_suffix = "pof";
    const auto chosen = desktop_.open_file(request);
    if (chosen.status == view::OpenFileResult::Status::Failed) desktop_.stop_message(chosen.error);
    if (chosen.status != view::OpenFileResult::Status::Chosen) return;
    compared_with_ = chosen.path;
    close_viewer(compare::frmCompare::kName);
    for (const auto& w : pof::kViewWindows) {
        if (w.viewer == compare::frmCompare::kName) show_view_window(w);
    }
}

void frmPOF::set_current_subobject_from(int row) {
    store_.current_subobject = parse_row_text(row_types_[row]).subobject;
}

void frmPOF::row_clicked(int row) {
    if (!list_.valid(row)) return;
    set_current_subobject_from(row);
}

void frmPOF::row_double_clicked(int row) {
    if (!list_.valid(row)) return;
    set_current_subobject_from(row);
    if (const auto entry = entry_for_chunk_id(parse_row_text(row_types_[row]).chunk_id)) {
        show_viewer(*entry);
    }
}

void frmPOF::show_row(int row) {
    if (!list_.valid(row)) return;
    list_.click(row);
    paint(Paint::Forward);
}

void frmPOF::closing() {
    close_all();
    close_viewer(frmArchive::kName);
}

void frmPOF::close_all() {
    pof::close_viewers(*this, pof::kCloseAllOrder);
}

void frmPOF::show_viewer(RecordEntry entry) {
    const pof::ChunkKind& kind = pof::kind_of(entry);
    const std::string_view name = kind.viewer;
    view::Viewer* viewer = windows_.find(name);
    if (!viewer) {
        auto fresh = kind.make_viewer({store_, store_.browsing, windows_, desktop_});
        fresh->opened();
        viewer = &windows_.create(std::move(fresh));
    }
    present(*viewer);
}

void frmPOF::show_view_window(const pof::ViewWindowInfo& window) {
    view::Viewer* viewer = windows_.find(window.viewer);
    if (!viewer) {
        auto fresh = make_view_window(window.viewer);
        if (!fresh) return;
        fresh->opened();
        viewer = &windows_.create(std::move(fresh));
    }
    present(*viewer);
}

std::unique_ptr<view::Viewer> frmPOF::make_view_window(std::string_view name) {
    const auto show = [this](const pof::ItemRef& item) { show_item(*this, windows_, item); };
    if (name == scene::frmModelView::kName) {
        auto model_view = std::make_unique<scene::frmModelView>(store_);
        model_view->on_show_item = show;
        model_view->on_open_check = [this] {
            for (const pof::ViewWindowInfo& w : pof::kViewWindows) {
                if (w.viewer == "frmModelCheck") show_view_window(w);
            }
        };
        return model_view;
    }
    if (name == "frmModelCheck") {
        return std::make_unique<check::frmModelCheck>(
            store_, show, [this](std::size_t row) { show_row(static_cast<int>(row)); });
    }
    if (name == compare::frmCompare::kName && !compared_with_.empty() && source_) {
        // The open model is read again without a screen, so the walk leaves its windows alone.
        const std::string first =
            source_->member.empty() ? source_->path : source_->path + ":" + source_->member;
        return std::make_unique<compare::frmCompare>(
            compared_with_,
            [first, second = compared_with_] { return compare_files(first, second); }, show);
    }
    return nullptr;
}

void frmPOF::present(view::Viewer& viewer) {
    const std::string name = viewer.name();
    windows_.bring_forward(name);
    windows_.set_normal_state(name);
    viewer.shown();
    windows_.sync(name);
}

void frmPOF::window_changed(std::string_view name) {
    if (name == scene::frmModelView::kName) return;
    auto* model_view = windows_.find(scene::frmModelView::kName);
    const view::Viewer* changed = windows_.find(name);
    if (!model_view || !changed) return;
    static_cast<scene::frmModelView&>(*model_view).window_changed(*changed, windows_);
    windows_.sync(scene::frmModelView::kName);
}

const MenuEntry* frmPOF::find_entry(std::string_view name) const {
    for (const auto& menu : menus_) {
        for (const auto& e : menu.entries) {
            if (!e.separator() && e.name == name) return &e;
        }
    }
    return nullptr;
}

bool frmPOF::reachable(std::string_view name) const {
    for (const auto& menu : menus_) {
        for (const auto& e : menu.entries) {
            if (!e.separator() && e.name == name) return menu.enabled && e.enabled;
        }
    }
    return false;
}

MenuEntry& frmPOF::record_entry(RecordEntry entry) {
    // Entry 0 of the Window menu is Close All; the record entries follow in menu order.
    return window_menu().entries[1 + static_cast<int>(entry)];
}

void frmPOF::paint(Paint part) {
    if (on_paint) on_paint(part);
}

void frmPOF::set_file_label(const std::string& text) {
    label_.text = text;
}
void frmPOF::repaint_file_label() {
    paint(Paint::FileLabel);
}

void frmPOF::clear_rows() {
    list_.clear();
    row_types_.clear();
}

void frmPOF::add_row(const std::string& record_type, std::int32_t record_size) {
    row_types_.push_back(record_type);
    list_.add_row({pof::text8(record_type), pof::integer_text(record_size)});
}

void frmPOF::repaint_rows() {
    paint(Paint::Rows);
}
void frmPOF::size_columns() {
    paint(Paint::Columns);
}
void frmPOF::enable_window_menu(bool enabled) {
    window_menu().enabled = enabled;
}
// The View menu's windows read the whole model: they are offered once a header chunk was read,
// and taken away with the header entry by the reset.
void frmPOF::enable_entry(RecordEntry entry, bool enabled) {
    record_entry(entry).enabled = enabled;
    // The View menu's windows need the header: they come and go with its entry.
    if (entry == RecordEntry::OHDR) view_menu().enabled = enabled;
}

void frmPOF::set_entry_caption(RecordEntry entry, std::string_view caption) {
    record_entry(entry).caption = std::string(caption);
}

void frmPOF::close_viewer(std::string_view viewer) {
    if (windows_.find(viewer)) windows_.close(viewer);
}

}  // namespace shell
