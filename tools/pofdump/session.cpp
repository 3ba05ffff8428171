#include "session.h"

#include "output_file.h"
#include "picture_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "all_dump.h"
#include "check_run.h"
#include "compare/frmCompare.h"
#include "diff_run.h"
#include "dump_render.h"
#include "io/text.h"
#include "scene/frmModelView.h"
#include "scene/obj_export.h"
#include "scene/thumbnail.h"
#include "shell/frmArchive.h"
#include "textures/model_textures.h"
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
    return static_cast<const view::Table&>(list).row_count();
}

// The list LIST of a window's lists, or why there is none.
std::optional<std::string> find_list(const Choice& choice, const std::vector<view::Control*>& lists,
                                     view::Control*& list) {
    const std::string list_name = "list " + pof::integer_text(choice.list);
    if (choice.list > static_cast<int>(lists.size())) {
        return "the window has " + pof::integer_text(static_cast<std::int64_t>(lists.size())) +
               (lists.size() == 1 ? " list" : " lists") + "; there is no " + list_name;
    }
    list = lists[choice.list - 1];
    if (!list->enabled) return list_name + " is disabled; its choice cannot change";
    if (choice.row >= static_cast<int>(row_count(*list))) {
        return list_name + " has " + rows_text(row_count(*list)) + "; there is no row " +
               pof::integer_text(choice.row);
    }
    return std::nullopt;
}

class Session {
  public:
    Session(const Options& options, std::ostream& out, std::ostream& err)
        : options_(options), out_(out), err_(err), form_(store_, desktop_, windows_) {
        store_.texture_folders = options.texture_folders;
    }

    int run();

  private:
    // What a step could not do: the exit status and why.
    struct Refusal {
        int status;
        std::string why;
    };

    void report_messages();
    std::optional<Refusal> take(const Step& step);
    std::optional<Refusal> view(const ViewRequest& request);
    std::optional<Refusal> choose(const Choice& choice);
    std::optional<Refusal> open(const Choice& choice);
    std::optional<Refusal> switch_to(const std::string& name);
    void read(const std::string& path);
    std::optional<Refusal> compare(const std::string& path);
    std::optional<Refusal> write_obj(const std::string& path);
    std::optional<Refusal> write_png(const std::string& path);
    std::optional<Refusal> write_thumbnail(const std::string& path);
    void decode_model_textures();
    std::vector<std::string> texture_files(const std::string& obj_path) const;
    std::optional<Refusal> member(const std::string& path);
    std::optional<Refusal> type(int input, const std::string& text);
    std::optional<Refusal> sort(const Choice& column);
    void tell_changed();
    view::Viewer* current();
    std::vector<view::Control*> current_lists();
    void make_current(const std::string& name);
    void print();

    const Options& options_;
    std::ostream& out_;
    std::ostream& err_;
    pof::ModelStore store_;
    view::HeadlessDesktop desktop_;
    view::HeadlessWindows windows_;
    shell::frmPOF form_;
    std::string current_;  // the current window's name; empty for the main window
    std::size_t messages_reported_ = 0;
    bool all_clean_ = true;  // every read of the run
    // The Model View's textures as last decoded, and the set they came from.
    std::shared_ptr<const view::PictureTextures> decoded_set_;
    scene::TextureImages decoded_;
};

int Session::run() {
    form_.window_opened();
    read(options_.file);
    report_messages();
    for (const Step& step : options_.steps) {
        if (const auto refused = take(step)) {
            report_messages();
            err_ << "pofdump: " << one_line(refused->why) << '\n';
            return refused->status;
        }
    }
    report_messages();
    if (options_.all && current_ == shell::frmArchive::kName) {
        err_ << "pofdump: --all prints a model; the models of an archive are opened with "
                "--member PATH\n";
        return kExitUsage;
    }
    // A thumbnailer's run writes the PNG and nothing else.
    const bool thumbnail = std::any_of(options_.steps.begin(), options_.steps.end(),
                                       [](const Step& s) { return s.kind == Step::Kind::Thumb; });
    if (!thumbnail) print();
    return all_clean_ ? kExitClean : kExitFailed;
}

// File > Open with the dialog answering path; the reset closes every window, so the main
// window is current again, unless the file was an archive and its window opened.
void Session::read(const std::string& path) {
    desktop_.next_dialog_result = {view::OpenFileResult::Status::Chosen, path, {}};
    const std::uint64_t fronted = windows_.fronted();
    if (form_.open() != pof::ReadOutcome::Clean) all_clean_ = false;
    current_.clear();
    if (windows_.fronted() != fronted) make_current(windows_.front());
}

std::optional<Session::Refusal> Session::compare(const std::string& path) {
    if (!form_.reachable("IDM_COMPARE")) {
        return Refusal{kExitFailed, "the View menu is disabled: the file has no header"};
    }
    desktop_.next_dialog_result = {view::OpenFileResult::Status::Chosen, path, {}};
    form_.menu_command("IDM_COMPARE");
    if (windows_.find(compare::frmCompare::kName)) make_current(compare::frmCompare::kName);
    return std::nullopt;
}

// Every message box shown so far, in its own words, one per line.
// A message keeps its lines; each is shown as one line of UTF-8 (a file name may hold
// anything).
void Session::report_messages() {
    for (; messages_reported_ < desktop_.messages.size(); ++messages_reported_) {
        const std::string& message = desktop_.messages[messages_reported_];
        std::size_t start = 0;
        for (std::size_t end; (end = message.find('\n', start)) != std::string::npos;
             start = end + 1) {
            err_ << one_line(std::string_view(message).substr(start, end - start)) << '\n';
        }
        err_ << one_line(std::string_view(message).substr(start)) << '\n';
    }
}

std::optional<Session::Refusal> Session::take(const Step& step) {
    switch (step.kind) {
        case Step::Kind::View:
            return view(step.view);
        case Step::Kind::Choose:
            return choose(step.choice);
        case Step::Kind::Open:
            return open(step.choice);
        case Step::Kind::Window:
            return switch_to(step.window);
        case Step::Kind::Read:
            read(step.file);
            return std::nullopt;
        case Step::Kind::Obj:
            return write_obj(step.output_path);
        case Step::Kind::Member:
            return member(step.member);
        case Step::Kind::Type:
            return type(step.input, step.text);
        case Step::Kind::Sort:
            return sort(step.choice);
        case Step::Kind::Png:
            return write_png(step.output_path);
        case Step::Kind::Thumb:
            return write_thumbnail(step.output_path);
        case Step::Kind::Compare:
            return compare(step.file);
    }
    return std::nullopt;
}

std::optional<Session::Refusal> Session::view(const ViewRequest& request) {
    if (request.model_view) {
        const auto& model = pof::kViewWindows[0];
        if (!form_.reachable(model.menu_name)) {
            return Refusal{kExitFailed, "the View menu is disabled: the file has no header"};
        }
        form_.menu_command(model.menu_name);
        current_ = model.viewer;
        return std::nullopt;
    }
    const pof::ChunkKind& entry = pof::kind_of(request.entry);
    if (!form_.reachable(entry.menu_name)) {
        return Refusal{kExitFailed, "the file has no " + request.chunk_id + " record"};
    }
    form_.menu_command(entry.menu_name);
    if (!windows_.find(entry.viewer)) {
        return Refusal{kExitFailed, "there is no viewer for " + request.chunk_id + " records yet"};
    }
    current_ = entry.viewer;
    return std::nullopt;
}

// Per texture number, the loose file found for it as seen from the OBJ file's folder; "" for a
// texture that was not found or lies in an archive.
std::vector<std::string> Session::texture_files(const std::string& obj_path) const {
    std::vector<std::string> names;
    for (int t = 0; t < store_.txtr.texture_rows(); ++t) {
        names.push_back(store_.txtr.textures[t].name);
    }
    const textures::ModelTextures found({store_.source.path, store_.source.member},
                                        store_.texture_folders, names);
    std::vector<std::string> files(names.size());
    if (!found.searched()) return files;
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path folder = fs::absolute(fs::path(obj_path), ec).parent_path();
    for (std::size_t t = 0; t < files.size(); ++t) {
        const auto& lookup = found.search().textures[t];
        if (!lookup.found || lookup.found->path.empty()) continue;
        files[t] = fs::absolute(lookup.found->path, ec).lexically_relative(folder).generic_string();
    }
    return files;
}

// The materials go beside the OBJ file, named after it.
std::optional<Session::Refusal> Session::write_obj(const std::string& path) {
    if (!windows_.find(scene::frmModelView::kName)) {
        if (auto refused = view(ViewRequest{"MODEL", pof::RecordEntry::OHDR, true})) return refused;
    }
    const auto& model =
        static_cast<const scene::frmModelView&>(*windows_.find(scene::frmModelView::kName));
    const auto dot = path.rfind('.');
    const auto slash = path.rfind('/');
    const bool suffixed = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string mtl_path = (suffixed ? path.substr(0, dot) : path) + ".mtl";
    const std::string mtl_name = slash == std::string::npos ? mtl_path : mtl_path.substr(slash + 1);
    if (!scene::mtl_name_fits(mtl_name)) {
        return Refusal{kExitFailed, "cannot write " + path +
                                        ": its name holds a control character, which would "
                                        "split the line that names its materials"};
    }
    std::string why;
    const auto refused = [&](const std::string& file) {
        return Refusal{kExitFailed, "cannot write " + file + ": " + why};
    };
    const auto obj = OutputFile::open(path, why);
    if (!obj) return refused(path);
    const auto mtl = OutputFile::open(mtl_path, why);
    if (!mtl) {
        obj->discard();
        return refused(mtl_path);
    }
    scene::write_obj(model.scene(), store_.txtr, mtl_name, obj->stream(), mtl->stream(),
                     texture_files(path));
    // Both complete before either is renamed into place.
    if (!obj->finish(why)) return refused(path);
    if (!mtl->finish(why)) return refused(mtl_path);
    if (!obj->commit(why)) return refused(path);
    if (!mtl->commit(why)) return refused(mtl_path);
    return std::nullopt;
}

// What the Model View shows now (its detail level, its marker toggles, the item chosen in
// another window), from the fitted view. The textures are decoded once per model.
std::optional<Session::Refusal> Session::write_png(const std::string& path) {
    if (!windows_.find(scene::frmModelView::kName)) {
        if (auto refused = view(ViewRequest{"MODEL", pof::RecordEntry::OHDR, true})) return refused;
    }
    const auto* model =
        static_cast<const scene::frmModelView*>(windows_.find(scene::frmModelView::kName));
    if (!options_.size_refused.empty()) return Refusal{kExitFailed, options_.size_refused};
    scene::RenderOptions options;
    if (options_.size_given) {
        options.width = options_.picture_width;
        options.height = options_.picture_height;
    }
    decode_model_textures();
    const auto& picture = model->picture();
    const auto draw = [&] {
        scene::Camera camera;
        camera.fit(picture);
        return scene::render(picture, model->highlight(), decoded_, camera, options);
    };
    if (auto why = pofdump::write_png(path, draw)) return Refusal{kExitFailed, *why};
    return std::nullopt;
}

// The Model View's textures decoded, once per set, as the window's loader decodes them in the
// background: its list then says what each decode found, as the window's does.
void Session::decode_model_textures() {
    auto* model = static_cast<scene::frmModelView*>(windows_.find(scene::frmModelView::kName));
    if (!model || model->picture().textures == decoded_set_) return;
    decoded_set_ = model->picture().textures;
    decoded_ = scene::load_textures(decoded_set_.get());
    for (const auto& [number, image] : decoded_) model->texture_loaded(number, image.status);
}

// Detail level 0 without markers on a transparent square, whatever the Model View shows.
std::optional<Session::Refusal> Session::write_thumbnail(const std::string& path) {
    if (!form_.reachable(pof::kViewWindows[0].menu_name))
        return Refusal{kExitFailed, "the file has no header: there is no model to draw"};
    if (!options_.size_refused.empty()) return Refusal{kExitFailed, options_.size_refused};
    const int side =
        options_.size_given ? std::max(options_.picture_width, options_.picture_height) : 256;
    bool drawn = true;
    const auto draw = [&] {
        scene::RenderedImage image = scene::draw_thumbnail(store_, static_cast<int>(side));
        drawn = !image.rgba.empty();
        return image;
    };
    const auto why = pofdump::write_png(path, draw);
    if (!drawn) {
        return Refusal{kExitFailed,
                       "the model has no polygon at detail level 0: no thumbnail of "
                       "it was written to " +
                           path};
    }
    if (why) return Refusal{kExitFailed, *why};
    return std::nullopt;
}

// The double-click on the member's row; the main window becomes current.
std::optional<Session::Refusal> Session::member(const std::string& path) {
    auto* window = static_cast<shell::frmArchive*>(windows_.find(shell::frmArchive::kName));
    if (!window) return Refusal{kExitUsage, "--member needs an archive, and none is open"};
    const auto outcome = window->open_path(path);
    windows_.sync(shell::frmArchive::kName);
    if (!outcome) return Refusal{kExitFailed, window->status()};
    if (*outcome != pof::ReadOutcome::Clean) all_clean_ = false;
    current_.clear();
    return std::nullopt;
}

std::optional<Session::Refusal> Session::type(int input, const std::string& text) {
    view::Viewer* viewer = current();
    const auto inputs =
        viewer ? view::inputs_of(viewer->layout()) : std::vector<view::TextInput*>{};
    if (input > static_cast<int>(inputs.size())) {
        return Refusal{kExitUsage, "the window has " +
                                       pof::integer_text(static_cast<std::int64_t>(inputs.size())) +
                                       (inputs.size() == 1 ? " text input" : " text inputs") +
                                       "; there is no input " + pof::integer_text(input)};
    }
    view::TextInput& target = *inputs[input - 1];
    if (!target.enabled) {
        return Refusal{kExitUsage, "input " + pof::integer_text(input) + " is disabled"};
    }
    target.type(text);
    windows_.sync(current_);
    tell_changed();
    return std::nullopt;
}

std::optional<Session::Refusal> Session::sort(const Choice& column) {
    const auto lists = current_lists();
    if (column.list > static_cast<int>(lists.size()) ||
        lists[column.list - 1]->kind() != view::Kind::Table ||
        !static_cast<view::Table*>(lists[column.list - 1])->sortable()) {
        return Refusal{kExitUsage,
                       "list " + pof::integer_text(column.list) + " is no sortable list view"};
    }
    auto& table = static_cast<view::Table&>(*lists[column.list - 1]);
    if (column.row >= static_cast<int>(table.columns.size())) {
        return Refusal{kExitUsage,
                       "list " + pof::integer_text(column.list) + " has " +
                           pof::integer_text(static_cast<std::int64_t>(table.columns.size())) +
                           " columns; there is no column " + pof::integer_text(column.row)};
    }
    table.sort_by(column.row);
    if (!current_.empty()) windows_.sync(current_);
    tell_changed();
    return std::nullopt;
}

// The Model View follows the choice made in the current window.
void Session::tell_changed() {
    if (!current_.empty()) form_.window_changed(current_);
}

std::optional<Session::Refusal> Session::choose(const Choice& choice) {
    view::Control* list = nullptr;
    if (auto why = find_list(choice, current_lists(), list)) return Refusal{kExitUsage, *why};
    if (list->kind() == view::Kind::DropDown) {
        static_cast<view::DropDown&>(*list).choose(choice.row);
    } else {
        static_cast<view::Table&>(*list).click(choice.row);
    }
    if (!current_.empty()) windows_.sync(current_);
    tell_changed();
    return std::nullopt;
}

// A window the double-click created or brought forward becomes current, activated as a user
// would find it.
std::optional<Session::Refusal> Session::open(const Choice& choice) {
    view::Control* list = nullptr;
    if (auto why = find_list(choice, current_lists(), list)) return Refusal{kExitUsage, *why};
    if (list->kind() != view::Kind::Table) {
        return Refusal{kExitUsage, "list " + pof::integer_text(choice.list) +
                                       " is a drop-down list; --open double-clicks list views"};
    }
    const std::uint64_t fronted = windows_.fronted();
    static_cast<view::Table&>(*list).double_click(choice.row);
    if (windows_.fronted() != fronted) {
        make_current(windows_.front());
        tell_changed();
    }
    return std::nullopt;
}

std::optional<Session::Refusal> Session::switch_to(const std::string& name) {
    if (name == "frmPOF") {
        current_.clear();
        return std::nullopt;
    }
    if (!windows_.find(name)) return Refusal{kExitUsage, "no window " + name + " is open"};
    make_current(name);
    return std::nullopt;
}

void Session::make_current(const std::string& name) {
    current_ = name;
    if (view::Viewer* viewer = windows_.find(name)) {
        viewer->activated();
        windows_.sync(name);
    }
}

// The current window; when a step closed it, the main window is current again.
view::Viewer* Session::current() {
    view::Viewer* viewer = current_.empty() ? nullptr : windows_.find(current_);
    if (!viewer) current_.clear();
    return viewer;
}

std::vector<view::Control*> Session::current_lists() {
    if (view::Viewer* viewer = current()) return view::lists_of(viewer->layout());
    return {&form_.record_list()};
}

void Session::print() {
    if (options_.all) {
        windows_.keep_log = false;
        return options_.json ? write_all_json(form_, windows_, out_)
                             : write_all_text(form_, windows_, out_);
    }
    if (current_ == scene::frmModelView::kName) decode_model_textures();
    const view::Viewer* viewer = current();
    if (options_.json && viewer) {
        write_viewer_json(*viewer, out_);
    } else if (options_.json) {
        write_main_window_json(form_, out_);
    } else if (viewer) {
        write_viewer_text(*viewer, out_);
    } else {
        write_main_window_text(form_, out_);
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
        case Options::Action::Check:
            return run_check(options, out, err);
        case Options::Action::Diff:
            return run_diff(options, out, err);
        case Options::Action::Dump:
            break;
    }
    return Session(options, out, err).run();
}

int run_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const ParsedOptions parsed = parse_options(args);
    if (!parsed.error.empty()) {
        const std::string usage = usage_text();
        // In the one-line form: the error may quote a file name that looked like an option.
        err << "pofdump: " << one_line(parsed.error) << '\n'
            << usage.substr(0, usage.find('\n') + 1);
        return kExitUsage;
    }
    return run(parsed.options, out, err);
}

}  // namespace pofdump
