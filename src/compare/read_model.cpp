#include "compare/read_model.h"

#include <filesystem>

#include "archive/vp_archive.h"
#include "pof/main_form.h"
#include "view/headless.h"

namespace compare {

namespace {

// The main window as far as a read without one needs it.
class NoWindow : public pof::MainForm {
  public:
    void set_file_label(const std::string&) override {}
    void repaint_file_label() override {}
    void clear_rows() override {}
    void add_row(const std::string&, std::int32_t) override {}
    void repaint_rows() override {}
    void size_columns() override {}
    void enable_window_menu(bool) override {}
    void enable_entry(pof::RecordEntry, bool) override {}
    void set_entry_caption(pof::RecordEntry, std::string_view) override {}
    void close_viewer(std::string_view) override {}
};

bool is_file(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

}  // namespace

std::optional<std::pair<std::string, std::string>> archive_member(const std::string& name) {
    if (is_file(name)) return std::nullopt;
    for (std::size_t colon = name.find(':'); colon != std::string::npos;
         colon = name.find(':', colon + 1)) {
        std::string archive = name.substr(0, colon);
        if (is_file(archive)) return std::make_pair(std::move(archive), name.substr(colon + 1));
    }
    return std::nullopt;
}

ModelRead read_model(const std::string& name, pof::ModelStore& store) {
    NoWindow form;
    view::HeadlessDesktop desktop;
    ModelRead read;
    const auto member = archive_member(name);
    if (!member) {
        read.outcome = pof::open_pof_file(name, store, form, desktop);
    } else {
        const auto open = [&] {
            try {
                const auto listed = archive::Archive::open(member->first);
                const archive::Member* m = listed.find(member->second);
                if (!m) throw pof::OpenError("the archive holds no file of that path");
                return listed.open_member(*m);
            } catch (const pof::ReadError& e) {
                throw pof::OpenError("the archive's directory cannot be read: " +
                                     std::string(e.what()));
            }
        };
        read.outcome =
            pof::open_pof_from(name, open, store, form, desktop, {member->first, member->second});
    }
    for (const auto& m : desktop.messages) {
        if (!read.message.empty()) read.message += '\n';
        read.message += m;
    }
    return read;
}

}  // namespace compare
