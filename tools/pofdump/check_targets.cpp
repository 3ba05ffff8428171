#include "check_targets.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>

#include "archive/vp_archive.h"
#include "check/model_check.h"

namespace pofdump {

namespace {

namespace fs = std::filesystem;

CheckItem file_item(const std::string& path) {
    return {path, [path](shell::frmPOF& form) { return form.open_file(path); }};
}

// The archive's own faults, then each POF model of the archive, once per path: of two
// entries with one path, the one that path opens. An entry that cannot be opened is one of
// the archive's faults rather than a model. An archive whose directory cannot be listed is
// that one fault.
void add_archive(std::vector<CheckItem>& items, const std::string& path, pof::PofFile file) {
    std::shared_ptr<const archive::Archive> listed;
    try {
        listed =
            std::make_shared<const archive::Archive>(archive::Archive::read(std::move(file), path));
    } catch (const pof::ReadError& e) {
        items.push_back({path, {}, {check::unlisted_archive(e)}});
        return;
    } catch (const std::exception&) {
        items.push_back(file_item(path));
        return;
    }
    if (!listed->notes().empty()) items.push_back({path, {}, check::check_archive(*listed)});
    for (const archive::Member& m : listed->members()) {
        const std::string_view member_path = listed->path_of(m);
        if (archive::kind_of(member_path) != archive::MemberKind::Model) continue;
        if (m.cut || listed->find(member_path) != &m) continue;
        items.push_back({path + "/" + std::string(member_path), [listed, &m](shell::frmPOF& form) {
                             return form.open_member(listed, m);
                         }});
    }
}

// Adds the models of the archive at path and says so; false for a file that is not an archive
// or cannot be opened. An archive is opened once: its magic is looked at and its directory
// read from that open file. A model is opened when its turn to be read comes, so a folder of
// many keeps no more than one of them open.
bool add_if_archive(std::vector<CheckItem>& items, const std::string& path) {
    try {
        pof::PofFile file = pof::PofFile::open(path);
        if (!archive::has_archive_magic(file)) return false;
        add_archive(items, path, std::move(file));
        return true;
    } catch (const pof::OpenError&) {
        return false;
    }
}

void add_file(std::vector<CheckItem>& items, const std::string& path) {
    if (!add_if_archive(items, path)) items.push_back(file_item(path));
}

bool checked_suffix(const fs::path& path) {
    const std::string suffix = path.extension().string();
    return archive::same_path(suffix, ".pof") || archive::same_path(suffix, ".vp");
}

// The *.pof and *.vp files under the folder, in path order; what cannot be walked is left out.
std::vector<std::string> files_under(const std::string& folder) {
    std::vector<std::string> paths;
    std::error_code error;
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied,
                                        error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_regular_file(error) && checked_suffix(it->path())) {
            paths.push_back(it->path().string());
        }
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

}  // namespace

std::vector<CheckGroup> check_groups(const std::vector<std::string>& names) {
    std::vector<CheckGroup> groups;
    for (const std::string& name : names) {
        CheckGroup group{name, true, {}};
        std::error_code error;
        if (fs::is_directory(name, error)) {
            for (const auto& path : files_under(name)) add_file(group.items, path);
        } else if (!add_if_archive(group.items, name)) {
            group.many = false;
            group.items.push_back(file_item(name));
        }
        groups.push_back(std::move(group));
    }
    return groups;
}

}  // namespace pofdump
