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
void add_archive(std::vector<CheckItem>& items, const std::string& path, pof::PofFile file,
                 textures::SearchCache& searches) {
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
    searches.keep(path, listed);
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
        std::error_code error;
        if (fs::is_directory(name, error)) {
            groups.push_back({name, true, files_under(name)});
        } else {
            groups.push_back({name, false, {name}});
        }
    }
    return groups;
}

// The file is opened once: its magic is looked at, then the archive is listed from the open
// file, or the model read from it. A file that cannot be opened is read by name, which gives
// the reader's message.
CheckFile check_file(const std::string& path, textures::SearchCache& searches) {
    CheckFile out;
    std::shared_ptr<pof::PofFile> file;
    try {
        file = std::make_shared<pof::PofFile>(pof::PofFile::open(path));
    } catch (const pof::OpenError&) {
        out.items.push_back(file_item(path));
        return out;
    }
    if (archive::has_archive_magic(*file)) {
        out.archive = true;
        add_archive(out.items, path, std::move(*file), searches);
    } else {
        out.items.push_back({path, [path, file](shell::frmPOF& form) {
                                 return form.open_file(path, std::move(*file));
                             }});
    }
    return out;
}

}  // namespace pofdump
