#include "shell/frmPOF.h"

#include <algorithm>
#include <new>
#include <utility>

#include "check/frmModelCheck.h"
#include "compare/frmCompare.h"
#include "io/text.h"
#include "records/subobjects/block_kinds.h"
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
              {{"IDM_OPEN", "&Open", true, "Ctrl+O"},
               {"", "", true},
               {"IDM_SAVE", "&Save", false},
               {"IDM_SAVE_AS", "Save &As", false},
               {"", "", true},
               {"IDM_EXIT", "&Exit", true, "Ctrl+Q"}}};
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
        desktop_.stop_message(damaged_archive_message(path, e.what()));
        return pof::ReadOutcome::OpenFailed;
    } catch (const std::bad_alloc&) {
        desktop_.stop_message(
            damaged_archive_message(path, "there is not enough memory to list it"));
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

std::optional<pof::ReadOutcome> frmPOF::reload(std::string_view active) {
    if (!source_) return std::nullopt;
    // Copies: the read sets the source again and closes the windows.
    const Source source = *source_;
    const std::string last_chosen = last_chosen_;
    const std::string front(active.empty() ? std::string_view(windows_.front()) : active);
    const std::vector<KeptWindow> kept = open_windows(true);
    const pof::ReadOutcome outcome =
        source.member.empty() ? open_file(source.path) : reload_member(source);
    reopen(kept, last_chosen);
    if (front == "frmPOF") {
        paint(Paint::Forward);
    } else if (windows_.find(front)) {
        windows_.bring_forward(front);
    }
    return outcome;
}

namespace {

std::string joined(const view::Table::Cells& cells) {
    std::string out;
    for (const std::string& cell : cells) out += cell + '\t';
    return out;
}

// The chosen row of a list, by its text; "" for none.
std::string chosen_text(const view::Control& list) {
    if (list.kind() == view::Kind::DropDown)
        return static_cast<const view::DropDown&>(list).selected_text();
    const auto& table = static_cast<const view::Table&>(list);
    return table.valid(table.selected) ? joined(table.cells(table.selected)) : std::string();
}

// Chooses the row of that text again, as a user would, where the list offers it; a list view
// only with tables. Rows are found by their text: the same row number can mean another detail
// level in the file read now.
void choose_text(view::Control& list, const std::string& text, bool tables) {
    if (text.empty() || !list.enabled) return;
    if (list.kind() == view::Kind::DropDown) {
        auto& drop_down = static_cast<view::DropDown&>(list);
        const auto found = std::find(drop_down.rows.begin(), drop_down.rows.end(), text);
        const int row = static_cast<int>(found - drop_down.rows.begin());
        if (found != drop_down.rows.end() && row != drop_down.selected) drop_down.choose(row);
        return;
    }
    auto& table = static_cast<view::Table&>(list);
    if (!tables) return;
    for (std::size_t row = 0; row < table.row_count(); ++row) {
        if (joined(table.cells(row)) != text) continue;
        if (static_cast<int>(row) != table.selected) table.click(static_cast<int>(row));
        return;
    }
}

}  // namespace

std::vector<frmPOF::KeptWindow> frmPOF::open_windows(bool chunk_windows) {
    std::vector<KeptWindow> kept;
    const auto keep = [&](std::string_view name) -> KeptWindow* {
        view::Viewer* viewer = windows_.find(name);
        const bool known = std::any_of(kept.begin(), kept.end(),
                                       [&](const KeptWindow& k) { return k.name == name; });
        if (!viewer || known) return nullptr;
        KeptWindow& k = kept.emplace_back();
        k.name = name;
        for (const view::Control* list : view::lists_of(viewer->layout()))
            k.chosen.push_back(chosen_text(*list));
        k.place = windows_.kept(name);
        if (name == scene::frmModelView::kName)
            k.model_view = static_cast<scene::frmModelView&>(*viewer).kept();
        return &k;
    };
    if (chunk_windows) {
        for (const pof::ChunkKind& kind : pof::chunk_kinds()) {
            if (KeptWindow* k = keep(kind.viewer)) k->entry = kind.entry;
        }
        for (const records::BlockKind& block : records::block_kinds()) {
            if (!block.window.empty()) keep(block.window);
        }
    }
    for (const pof::ViewWindowInfo& w : pof::kViewWindows) {
        if (KeptWindow* k = keep(w.viewer)) k->view = &w;
    }
    return kept;
}

// Chunk windows first, each with the rows it had; a block window opens again from the
// subobject window's chosen block row; the View-menu windows last, the Model View following
// the window chosen last.
void frmPOF::reopen(const std::vector<KeptWindow>& kept, const std::string& last_chosen) {
    const auto choose_again = [&](const KeptWindow& k, bool tables) {
        view::Viewer* viewer = windows_.find(k.name);
        if (!viewer) return;
        const auto lists = view::lists_of(viewer->layout());
        for (std::size_t i = 0; i < lists.size() && i < k.chosen.size(); ++i)
            choose_text(*lists[i], k.chosen[i], tables);
        windows_.sync(k.name);
    };
    for (const KeptWindow& k : kept) {
        if (!k.entry || !reachable(pof::kind_of(*k.entry).menu_name)) continue;
        windows_.reopen_as(k.name, k.place);
        show_viewer(*k.entry);
        choose_again(k, true);
    }
    for (const KeptWindow& k : kept) {
        if (k.entry || k.view || windows_.find(k.name)) continue;
        auto* subobjects = windows_.find(pof::kind_of(RecordEntry::SOBJ).viewer);
        if (!subobjects) break;
        for (view::Control* list : view::lists_of(subobjects->layout())) {
            auto* blocks =
                list->kind() == view::Kind::Table ? static_cast<view::Table*>(list) : nullptr;
            if (!blocks || !blocks->valid(blocks->selected)) continue;
            windows_.reopen_as(k.name, k.place);
            blocks->double_click(blocks->selected);
        }
        // Block windows decode when activated, as the desktop does once the window shows.
        if (view::Viewer* block = windows_.find(k.name)) block->activated();
        choose_again(k, true);
    }
    bool follow = true;
    for (const KeptWindow& k : kept) {
        if (!k.view || !reachable(k.view->menu_name)) continue;
        windows_.reopen_as(k.name, k.place);
        show_view_window(*k.view);
        choose_again(k, false);
        if (!k.model_view) continue;  // only the Model View keeps more than its rows
        auto* model_view = static_cast<scene::frmModelView*>(windows_.find(k.name));
        if (!model_view) continue;
        // A texture chosen in the window's own list is its own; any other choice is found
        // again in the window it was made in, when that window opened again.
        scene::frmModelView::Kept own = *k.model_view;
        follow = own.choice.kind != scene::frmModelView::Choice::Kind::Texture;
        if (follow) own.choice = {};
        model_view->restore(own);
        windows_.sync(k.name);
    }
    // A window that did not open again leaves no place behind for a later one.
    for (const KeptWindow& k : kept) windows_.reopen_as(k.name, nullptr);
    last_chosen_ = last_chosen;
    if (follow && windows_.find(last_chosen_)) window_changed(last_chosen_);
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
    auto chosen = desktop_.choose_folders("Texture Folders", store_.texture_folders,
                                          std::string(store_.source.folder()));
    if (!chosen) return;
    store_.texture_folders = std::move(*chosen);
    const std::vector<KeptWindow> kept = open_windows(false);
    for (const KeptWindow& k : kept) windows_.close(k.name);
    reopen(kept, last_chosen_);
}

void frmPOF::compare_with() {
    view::OpenFileRequest request;
    request.title = "Compare With";
    request.default_suffix = "pof";
    request.archive_members = true;
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
        if (window.viewer == scene::frmModelView::kName ||
            window.viewer == compare::frmCompare::kName)
            show_compared_model();
        // A new Model View outlines what was chosen before it opened.
        if (window.viewer == scene::frmModelView::kName && windows_.find(last_chosen_))
            window_changed(last_chosen_);
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
        auto compare = std::make_unique<compare::frmCompare>(
            compared_with_,
            [first, second = compared_with_] { return compare_files(first, second); }, show);
        auto other = std::make_shared<ComparedModel>(compared_with_);
        compared_store_ = other->trouble()
                              ? nullptr
                              : std::shared_ptr<const pof::ModelStore>(other, &other->store());
        compare->on_closed = [this, alive = std::weak_ptr<bool>(alive_)] {
            // Qt deletes a closed window later, when another Compare window may be open.
            if (!alive.expired()) show_compared_model();
        };
        return compare;
    }
    return nullptr;
}

void frmPOF::show_compared_model() {
    if (!windows_.find(compare::frmCompare::kName)) compared_store_.reset();
    auto* model_view = static_cast<scene::frmModelView*>(windows_.find(scene::frmModelView::kName));
    if (!model_view) return;
    model_view->set_other_model(compared_store_);
    windows_.sync(scene::frmModelView::kName);
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
    last_chosen_ = name;
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
    label_.parts = file_label_parts(text, store_.source.path, store_.source.member);
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
    if (viewer == last_chosen_) last_chosen_.clear();
    if (windows_.find(viewer)) windows_.close(viewer);
}

}  // namespace shell
