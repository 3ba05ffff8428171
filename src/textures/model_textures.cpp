#include "textures/model_textures.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <unordered_map>

#include "archive/vp_archive.h"
#include "textures/folder_listing.h"

namespace textures {

namespace fs = std::filesystem;

namespace {

// One folder of an open archive, as the search reads it; its files are found by name in a
// hashed index.
class VpFolder : public ArchiveFolderSource {
  public:
    VpFolder(std::shared_ptr<const archive::Archive> vp, std::string folder)
        : vp_(std::move(vp)), folder_(std::move(folder)) {
        const std::vector<const archive::Member*> files = vp_->files_in(folder_);
        names_.reserve(files.size());
        by_name_.reserve(files.size());
        for (const archive::Member* m : files) {
            names_.push_back(name_of(*m));
            by_name_.emplace(names_.back(), m);
        }
    }

    std::string archive_name() const override { return fs::path(vp_->path()).filename().string(); }
    std::string display_name() const override { return archive_name() + ": " + folder_; }
    std::vector<std::string> file_names() const override { return names_; }
    std::uint64_t file_size(const std::string& name) const override {
        const archive::Member* m = member(name);
        return m ? static_cast<std::uint64_t>(m->size) : 0;
    }
    std::vector<std::uint8_t> read(const std::string& name,
                                   std::uint64_t max_bytes) const override {
        const archive::Member* m = member(name);
        if (!m) throw std::runtime_error("the archive holds no file " + name);
        if (m->cut) throw std::runtime_error(vp_->cut_reason(*m));
        const std::string bytes = vp_->read_member(*m, static_cast<std::int64_t>(max_bytes));
        return {bytes.begin(), bytes.end()};
    }

  private:
    std::string name_of(const archive::Member& m) const {
        const std::string_view path = vp_->path_of(m);
        return std::string(path.substr(path.rfind('/') + 1));
    }
    const archive::Member* member(const std::string& name) const {
        const auto at = by_name_.find(name);
        return at == by_name_.end() ? nullptr : at->second;
    }

    std::shared_ptr<const archive::Archive> vp_;
    std::string folder_;
    std::vector<std::string> names_;  // as the archive stores them, in path order
    std::unordered_map<std::string, const archive::Member*> by_name_;
};

// The VP files of a folder, in name order.
std::vector<fs::path> vp_files_in(const fs::path& folder) {
    std::vector<fs::path> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (lower_ascii(it->path().extension().string()) == ".vp" && it->is_regular_file(ec)) {
            found.push_back(it->path());
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

// The folder that holds the data folder a loose model sits in (mod/data/models/x.pof: mod).
std::optional<fs::path> mod_folder(const fs::path& model) {
    for (fs::path at = fs::absolute(model).parent_path(); at.has_relative_path();
         at = at.parent_path()) {
        if (lower_ascii(at.filename().string()) == "data") return at.parent_path();
    }
    return std::nullopt;
}

}  // namespace

struct SearchCache::Archives {
    // Per archive, its directory; nullptr for one that cannot be listed.
    std::unordered_map<std::string, std::shared_ptr<const archive::Archive>> listed;
    std::map<std::pair<std::string, std::string>, std::unique_ptr<VpFolder>> folders;
    std::unordered_map<std::string, std::vector<fs::path>> in_folder;
};

SearchCache::SearchCache() : archives_(std::make_unique<Archives>()) {}
SearchCache::~SearchCache() = default;

const ArchiveFolderSource* SearchCache::archive_folder(const fs::path& vp,
                                                       const std::string& folder) {
    auto [archive, first] = archives_->listed.try_emplace(vp.string());
    if (first) {
        try {
            archive->second =
                std::make_shared<const archive::Archive>(archive::Archive::open(vp.string()));
        } catch (const std::exception&) {
            // An archive that cannot be listed holds no texture for the search.
        }
    }
    if (!archive->second) return nullptr;
    auto& source = archives_->folders[{vp.string(), folder}];
    if (!source) source = std::make_unique<VpFolder>(archive->second, folder);
    return source.get();
}

void SearchCache::keep(const std::string& path, std::shared_ptr<const archive::Archive> listed) {
    archives_->listed.try_emplace(path, std::move(listed));
}

const std::vector<fs::path>& SearchCache::archives_in(const fs::path& folder) {
    auto [at, first] = archives_->in_folder.try_emplace(folder.string());
    if (first) at->second = vp_files_in(folder);
    return at->second;
}

std::size_t SearchCache::archives_read() const {
    return archives_->listed.size();
}

ModelTextures::ModelTextures(const ModelLocation& where,
                             const std::vector<std::string>& user_folders,
                             const std::vector<std::string>& names,
                             std::shared_ptr<SearchCache> cache)
    : cache_(cache ? std::move(cache) : std::make_shared<SearchCache>()) {
    if (where.path.empty()) return;
    searched_ = true;
    SearchPlaces places;
    for (const auto& folder : user_folders) places.user_folders.emplace_back(folder);
    // An archive's data/maps folder, then the model's own folder inside it.
    const auto add = [&](const fs::path& vp, const std::string& model_folder) {
        if (const auto* maps = cache_->archive_folder(vp, "data/maps")) {
            places.archives.push_back(maps);
            if (!model_folder.empty() && lower_ascii(model_folder) != "data/maps") {
                places.archives.push_back(cache_->archive_folder(vp, model_folder));
            }
        }
    };
    const fs::path file(where.path);
    if (where.member.empty()) {
        places.model = file;
        if (const auto mod = mod_folder(file)) {
            for (const auto& vp : cache_->archives_in(*mod)) add(vp, "data/models");
        }
    } else {
        const std::string inside = fs::path(where.member).parent_path().generic_string();
        add(file, inside);
        const fs::path archive = fs::absolute(file);
        for (const auto& vp : cache_->archives_in(archive.parent_path())) {
            if (fs::absolute(vp) != archive) add(vp, inside);
        }
    }
    search_ = find_textures(names, places, &cache_->listings());
}

ModelTextures::~ModelTextures() = default;

std::string glow_texture_name(const std::string& properties) {
    constexpr std::string_view kKey = "$glow_texture=";
    std::size_t at = 0;
    while (at < properties.size()) {
        std::size_t end = properties.find('\n', at);
        if (end == std::string::npos) end = properties.size();
        std::string_view line(properties.data() + at, end - at);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.starts_with(kKey)) {
            std::string_view name = line.substr(kKey.size());
            while (!name.empty() && (name.front() == ' ' || name.front() == '\t'))
                name.remove_prefix(1);
            while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
                name.remove_suffix(1);
            return std::string(name);
        }
        at = end + 1;
    }
    return {};
}

}  // namespace textures
