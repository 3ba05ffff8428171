#pragma once
// What the program asks of the desktop and of its windows. The Qt binding implements both;
// tests and pofdump bring their own.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "view/viewer.h"

namespace view {

struct OpenFileRequest {
    std::string title;
    std::string default_suffix;
    bool file_must_exist = true;
    bool hide_read_only = true;
    // A name typed as "ARCHIVE.vp:data/models/ship.pof", whose part before the colon is an
    // existing file, is taken as it stands: a member of that archive.
    bool archive_members = false;
};

// A file to write: the dialog suggests a name and keeps to one kind of file.
struct SaveFileRequest {
    std::string title;
    std::string suggested_name;
    std::string filter;          // "PNG pictures (*.png)"
    std::string default_suffix;  // added when the name typed has none
};

struct OpenFileResult {
    enum class Status { Chosen, Cancelled, Failed };
    Status status = Status::Cancelled;
    std::string path;   // when chosen
    std::string error;  // the system's words, when failed
};

class Desktop {
  public:
    virtual ~Desktop() = default;
    virtual OpenFileResult open_file(const OpenFileRequest& request) = 0;
    // A modal message box with the stop icon and an OK button.
    virtual void stop_message(const std::string& text) = 0;
    virtual void set_busy(bool busy) = 0;
    // End the program at once.
    virtual void quit() = 0;
    // A modal list of folders to edit, starting from current; nothing when cancelled. A folder
    // to add is looked for from start_folder (the model's). The desktop keeps what was chosen
    // for the next run.
    virtual std::optional<std::vector<std::string>> choose_folders(
        const std::string& /*title*/, const std::vector<std::string>& /*current*/,
        const std::string& /*start_folder*/) {
        return std::nullopt;
    }
    // A modal save dialog; a file that exists is overwritten only once the user agreed.
    virtual OpenFileResult save_file(const SaveFileRequest& /*request*/) { return {}; }
    // A modal line of text to type, starting from initial; nothing when cancelled.
    virtual std::optional<std::string> ask_text(const std::string& /*title*/,
                                                const std::string& /*label*/,
                                                const std::string& /*initial*/) {
        return std::nullopt;
    }
};

// Shows the busy cursor for its lifetime.
class BusyCursor {
  public:
    explicit BusyCursor(Desktop& desktop) : desktop_(desktop) { desktop_.set_busy(true); }
    ~BusyCursor() { desktop_.set_busy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

  private:
    Desktop& desktop_;
};

// The top-level viewer windows, at most one per viewer name.
class Windows {
  public:
    virtual ~Windows() = default;
    virtual Viewer* find(std::string_view name) = 0;
    // Creates the window around an opened viewer and shows it, modeless and without owner.
    virtual Viewer& create(std::unique_ptr<Viewer> viewer) = 0;
    virtual void bring_forward(std::string_view name) = 0;
    // Back from minimised or maximised to the normal size.
    virtual void set_normal_state(std::string_view name) = 0;
    // Re-render the window (title included) after its controls changed in code.
    virtual void sync(std::string_view name) = 0;
    // Re-render and paint it at once, so that a long step inside a handler shows what it
    // has set so far.
    virtual void repaint(std::string_view name) { sync(name); }
    virtual void close(std::string_view name) = 0;

    // What the binding alone knows of an open window (its place and size on the desktop, the
    // camera of a picture), kept while F5 reads the file again and handed to the window of
    // that name opened in its place, which then stands where the old one stood.
    using Kept = std::shared_ptr<const void>;
    virtual Kept kept(std::string_view /*name*/) { return nullptr; }
    // The next window created of that name takes what was kept; nothing: forgets it.
    virtual void reopen_as(std::string_view /*name*/, const Kept& /*kept*/) {}

    // The window created or brought forward last, and how many times that happened, so a
    // caller learns which window a double-click put in front.
    const std::string& front() const { return front_; }
    std::uint64_t fronted() const { return fronted_; }

  protected:
    void came_forward(std::string_view name) {
        front_ = name;
        ++fronted_;
    }

  private:
    std::string front_;
    std::uint64_t fronted_ = 0;
};

}  // namespace view
