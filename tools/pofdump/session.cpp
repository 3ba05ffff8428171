#include "session.h"

#include <optional>
#include <string>

#include "dump_render.h"
#include "pof/text.h"
#include "view/headless.h"

#ifndef POFDUMP_VERSION
#define POFDUMP_VERSION "unknown"
#endif

namespace pofdump {

namespace {

std::string rows_text(std::size_t rows) {
    return pof::integer_text(static_cast<std::int64_t>(rows)) + (rows == 1 ? " row" : " rows");
}

std::size_t row_count(const view::Control& list) {
    if (list.kind() == view::Kind::DropDown)
        return static_cast<const view::DropDown&>(list).rows.size();
    return static_cast<const view::Table&>(list).rows.size();
}

// Chooses a row as the user would: picks it in a drop-down list, clicks it in a list view.
// Returns why it cannot be chosen, if it cannot.
std::optional<std::string> apply_choice(const Choice& choice,
                                        const std::vector<view::Control*>& lists) {
    const std::string list_name = "list " + pof::integer_text(choice.list);
    if (choice.list > static_cast<int>(lists.size())) {
        return "the window has " + pof::integer_text(static_cast<std::int64_t>(lists.size())) +
               (lists.size() == 1 ? " list" : " lists") + "; there is no " + list_name;
    }
    view::Control& list = *lists[choice.list - 1];
    if (!list.enabled) return list_name + " is disabled; its choice cannot change";
    if (choice.row >= static_cast<int>(row_count(list))) {
        return list_name + " has " + rows_text(row_count(list)) + "; there is no row " +
               pof::integer_text(choice.row);
    }
    if (list.kind() == view::Kind::DropDown) {
        static_cast<view::DropDown&>(list).choose(choice.row);
    } else {
        static_cast<view::Table&>(list).click(choice.row);
    }
    return std::nullopt;
}

class Session {
  public:
    Session(const Options& options, std::ostream& out, std::ostream& err)
        : options_(options), out_(out), err_(err), form_(store_, desktop_, windows_) {}

    int run();

  private:
    void report_messages();
    int refuse(int status, const std::string& why) {
        err_ << "pofdump: " << why << '\n';
        return status;
    }
    view::Viewer* open_viewer(std::string& why);
    std::optional<std::string> make_choices(view::Viewer* viewer);
    void print(const view::Viewer* viewer);

    const Options& options_;
    std::ostream& out_;
    std::ostream& err_;
    pof::ModelStore store_;
    view::HeadlessDesktop desktop_;
    view::HeadlessWindows windows_;
    shell::frmPOF form_;
    std::size_t messages_reported_ = 0;
};

int Session::run() {
    desktop_.next_dialog_result = {view::OpenFileResult::Status::Chosen, options_.file, {}};
    form_.window_opened();
    const bool clean = form_.open() == pof::ReadOutcome::Clean;
    report_messages();
    view::Viewer* viewer = nullptr;
    if (options_.view) {
        std::string why;
        viewer = open_viewer(why);
        if (!viewer) return refuse(kExitFailed, why);
    }
    if (const auto why = make_choices(viewer)) return refuse(kExitUsage, *why);
    report_messages();
    print(viewer);
    return clean ? kExitClean : kExitFailed;
}

// Every message box shown so far, in its own words, one per line.
void Session::report_messages() {
    for (; messages_reported_ < desktop_.messages.size(); ++messages_reported_) {
        err_ << desktop_.messages[messages_reported_] << '\n';
    }
}

view::Viewer* Session::open_viewer(std::string& why) {
    const auto& entry = pof::info(options_.view->entry);
    const std::string& id = options_.view->chunk_id;
    if (!form_.reachable(entry.menu_name)) {
        why = "the file has no " + id + " record";
        return nullptr;
    }
    form_.menu_command(entry.menu_name);
    view::Viewer* viewer = windows_.find(entry.viewer);
    if (!viewer) why = "there is no viewer for " + id + " records yet";
    return viewer;
}

std::optional<std::string> Session::make_choices(view::Viewer* viewer) {
    for (const Choice& choice : options_.choices) {
        std::vector<view::Control*> lists;
        if (viewer) {
            lists = view::lists_of(viewer->layout());
        } else {
            lists.push_back(&form_.record_list());
        }
        if (auto why = apply_choice(choice, lists)) return why;
        if (viewer) windows_.sync(viewer->name());
    }
    return std::nullopt;
}

void Session::print(const view::Viewer* viewer) {
    if (options_.json) {
        out_ << json_text(viewer ? viewer_json(*viewer) : main_window_json(form_));
    } else {
        out_ << (viewer ? viewer_text(*viewer) : main_window_text(form_));
    }
}

}  // namespace

int run(const Options& options, std::ostream& out, std::ostream& err) {
    switch (options.action) {
        case Options::Action::Help:
            out << usage_text();
            return kExitClean;
        case Options::Action::Version:
            out << "pofdump " POFDUMP_VERSION "\n";
            return kExitClean;
        case Options::Action::Dump:
            break;
    }
    return Session(options, out, err).run();
}

int run_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const ParsedOptions parsed = parse_options(args);
    if (!parsed.error.empty()) {
        const std::string usage = usage_text();
        err << "pofdump: " << parsed.error << '\n' << usage.substr(0, usage.find('\n') + 1);
        return kExitUsage;
    }
    return run(parsed.options, out, err);
}

}  // namespace pofdump
