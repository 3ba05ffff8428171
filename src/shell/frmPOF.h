#pragma once
// The main window's logic: the file label, the record list, the File and Window menus, and
// the commands that open files and viewers.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/vp_archive.h"
#include "pof/global_data.h"
#include "pof/main_form.h"
#include "pof/read_pof.h"
#include "scene/frmModelView.h"
#include "view/controls.h"
#include "view/desktop.h"

namespace shell {

struct MenuEntry {
    std::string name;  // object name; empty for a separator
    std::string caption;
    bool enabled = true;
    std::string shortcut = {};  // "Ctrl+K"; empty for none
    bool separator() const { return name.empty(); }
};

struct Menu {
    std::string name;
    std::string caption;
    bool enabled = true;
    std::vector<MenuEntry> entries;
};

class frmPOF : public pof::MainForm {
  public:
    // Forward: the main window comes to the front (a row was chosen for another window).
    enum class Paint { FileLabel, Rows, Columns, Forward };

    frmPOF(pof::ModelStore& store, view::Desktop& desktop, view::Windows& windows);

    // Events and commands.
    void window_opened();
    pof::ReadOutcome open();
    // A file dropped on the window: read as File > Open reads the file its dialog returns.
    // A file whose magic is "VPVP" is a VP archive: it opens in the archive window, which
    // replaces the one open, and the main window keeps its model. Its outcome is Clean, or
    // Damaged when its directory has faults, OpenFailed when it cannot be listed.
    pof::ReadOutcome open_file(const std::string& path);
    // The same for the file at path, already open.
    pof::ReadOutcome open_file(const std::string& path, pof::PofFile file);
    // A member of an archive, read as File > Open reads a file; the label shows
    // "ARCHIVE › PATH", and F5 reads that member again.
    pof::ReadOutcome open_member(const std::shared_ptr<const archive::Archive>& archive,
                                 const archive::Member& member);
    // The files named on the command line, once the window shows: one is read as File > Open
    // reads the file its dialog returns; several are refused with the message box of a failed
    // open and nothing is read. Nothing happens (and nothing is returned) for none.
    std::optional<pof::ReadOutcome> open_at_start(const std::vector<std::string>& files);
    // F5: the file or archive member the label names, read once more as a second Open of it
    // would (a member is looked up in the archive's directory afresh). Nothing happens (and
    // nothing is returned) while no file has been chosen. Every chunk, block and View-menu
    // window that was open opens again where it stood, when the file read still has its
    // chunk, with the same rows chosen in its lists where the new file offers them; the Model
    // View keeps its layers, hidden subobjects and choice. The window named active (the one
    // the key was pressed in) comes to the front again.
    std::optional<pof::ReadOutcome> reload(std::string_view active = {});
    void menu_command(std::string_view entry_name);
    void row_clicked(int row);
    void row_double_clicked(int row);
    // Chooses a row of the record list as a click would and brings the main window forward.
    void show_row(int row);
    // Closes every viewer and the archive window.
    void closing();
    void close_all();
    void show_viewer(pof::RecordEntry entry);
    // A View-menu window: created and filled if it is not open, brought forward if it is.
    void show_view_window(const pof::ViewWindowInfo& window);
    // View > Texture Folders...: the folders searched for textures before the model's own.
    void choose_texture_folders();
    // View > Compare With...: asks for another model (a file, or an archive's member named
    // "ARCHIVE.vp:PATH") and opens the Compare window on it beside this one. F5 compares again.
    void compare_with();
    // The model the Compare window compares with; empty while none was chosen.
    const std::string& compared_with() const { return compared_with_; }
    static constexpr std::string_view kTextureFolders = "IDM_TEXTURE_FOLDERS";
    // The binding tells after each event which window's controls may have changed; the Model
    // View follows the choices made there.
    void window_changed(std::string_view name);

    const std::string& title() const { return title_; }
    const view::Value& file_label() const { return label_; }
    const view::Table& record_list() const { return list_; }
    view::Table& record_list() { return list_; }
    const std::vector<Menu>& menus() const { return menus_; }
    const MenuEntry* find_entry(std::string_view name) const;
    // Enabled, in an enabled menu.
    bool reachable(std::string_view name) const;

    // The binding paints at once what the reader changed.
    std::function<void(Paint)> on_paint;

    // pof::MainForm
    void set_file_label(const std::string& text) override;
    void repaint_file_label() override;
    void clear_rows() override;
    void add_row(const std::string& record_type, std::int32_t record_size) override;
    void repaint_rows() override;
    void size_columns() override;
    void enable_window_menu(bool enabled) override;
    void enable_entry(pof::RecordEntry entry, bool enabled) override;
    void set_entry_caption(pof::RecordEntry entry, std::string_view caption) override;
    void close_viewer(std::string_view viewer) override;

  private:
    // What F5 reads again: a file, or the member of that path of the archive at path.
    struct Source {
        std::string path;
        std::string member;  // empty for a loose file
    };

    pof::ReadOutcome open_archive(const std::string& path, pof::PofFile file);
    void show_archive(std::shared_ptr<const archive::Archive> listed);
    // A window open before a reload: what opens it again, the rows chosen in its lists (by
    // their text), and what the binding and the Model View keep of it.
    struct KeptWindow {
        std::string name;
        const pof::ViewWindowInfo* view = nullptr;  // a View-menu window
        std::optional<pof::RecordEntry> entry;      // a chunk window
        std::vector<std::string> chosen;            // per list, in layout order; "" for none
        view::Windows::Kept place;
        std::optional<scene::frmModelView::Kept> model_view;
    };

    pof::ReadOutcome reload_member(const Source& source);
    // The windows over the model that are open; with chunk windows, the chunk and block
    // windows too.
    std::vector<KeptWindow> open_windows(bool chunk_windows);
    void reopen(const std::vector<KeptWindow>& kept, const std::string& last_chosen);
    void set_current_subobject_from(int row);
    void paint(Paint part);
    MenuEntry& record_entry(pof::RecordEntry entry);
    Menu& window_menu() { return menus_[1]; }
    Menu& view_menu() { return menus_[2]; }
    std::unique_ptr<view::Viewer> make_view_window(std::string_view name);
    // Brings an open viewer forward, back to normal state, and tells it it was shown.
    void present(view::Viewer& viewer);

    pof::ModelStore& store_;
    view::Desktop& desktop_;
    view::Windows& windows_;
    std::string title_ = "POF File Data";
    view::Value label_{"Label1"};
    std::optional<Source> source_;  // what the label names
    view::Table list_;
    std::vector<std::string> row_types_;  // chunk IDs as read, for taking rows apart
    std::string compared_with_;
    // The model the Compare window compares with, read for the Model View's ghost while that
    // window is open; null otherwise.
    std::shared_ptr<const pof::ModelStore> compared_store_;
    // Gone with this window: a Compare window closed later no longer reaches it.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    // Hands the Model View the compared model while the Compare window is open, else none.
    void show_compared_model();
    std::vector<Menu> menus_;
    std::string last_chosen_;  // the window whose choice changed last, for a new Model View
};

// The viewer a record-list row's chunk ID opens, if any.
std::optional<pof::RecordEntry> entry_for_chunk_id(std::string_view chunk_id);

}  // namespace shell
