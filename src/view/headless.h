#pragma once
// A desktop and windows without a screen, for pofdump, the fuzz target and the tests: the
// dialog answers what it was told, messages are collected, windows are kept in a list.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "view/desktop.h"

namespace view {

class HeadlessDesktop : public Desktop {
  public:
    OpenFileResult open_file(const OpenFileRequest& request) override;
    void stop_message(const std::string& text) override { messages.push_back(text); }
    void set_busy(bool busy) override;
    void quit() override { quit_requested = true; }

    OpenFileResult next_dialog_result;                     // what the next open dialog answers
    std::optional<std::vector<std::string>> next_folders;  // what the folder list answers
    std::string folders_start;                             // where its Add… last started
    std::optional<std::vector<std::string>> choose_folders(
        const std::string&, const std::vector<std::string>&,
        const std::string& start_folder) override {
        folders_start = start_folder;
        return next_folders;
    }
    OpenFileResult save_file(const SaveFileRequest& request) override {
        save_requests.push_back(request);
        return next_save_result;
    }
    std::optional<std::string> ask_text(const std::string&, const std::string&,
                                        const std::string& initial) override {
        asked_texts.push_back(initial);
        return next_text;
    }
    OpenFileResult next_save_result;       // what the next save dialog answers
    std::optional<std::string> next_text;  // what the next line of text answers
    std::vector<SaveFileRequest> save_requests;
    std::vector<std::string> asked_texts;  // the initial text of each question
    std::vector<OpenFileRequest> dialog_requests;
    std::vector<std::string> messages;
    int busy_depth = 0;
    int busy_shown = 0;  // how often the busy cursor was shown
    bool quit_requested = false;
};

class HeadlessWindows : public Windows {
  public:
    struct Window {
        std::unique_ptr<Viewer> viewer;
        bool minimised = false;
        int syncs = 0;
        std::string place;  // where the window stands, as a test sets it; kept by kept()
    };

    Viewer* find(std::string_view name) override;
    Viewer& create(std::unique_ptr<Viewer> viewer) override;
    void bring_forward(std::string_view name) override;
    void set_normal_state(std::string_view name) override;
    void sync(std::string_view name) override;
    void close(std::string_view name) override;
    Kept kept(std::string_view name) override;
    void reopen_as(std::string_view name, const Kept& kept) override;

    Window* window(std::string_view name);
    // What was done, in order: "create frmOHDR", "forward frmOHDR", "normal frmOHDR",
    // "close frmOHDR".
    std::vector<std::string> log;
    // Off for a long walk through windows (pofdump --all), whose log would grow with the model.
    bool keep_log = true;
    std::vector<Window> open;  // front-most last

  private:
    std::vector<std::pair<std::string, std::string>> places_;  // (name, place) to reopen with
};

}  // namespace view
