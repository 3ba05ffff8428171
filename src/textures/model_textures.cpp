#include "textures/model_textures.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "archive/vp_archive.h"
#include "textures/folder_listing.h"

namespace textures {

namespace fs = std::filesystem;

namespace {

// One folder of an open archive, as the search reads it.
class VpFolder : public ArchiveFolderSource {
  public:
    VpFolder(std::shared_ptr<const archive::Archive> vp, std::string folder)
        : vp_(std::move(vp)), folder_(std::move(folder)), files_(vp_->files_in(folder_)) {}

    std::string archive_name() const override { return fs::path(vp_->path()).filename().string(); }
    std::string display_name() const override { return archive_name() + ": " + folder_; }
    std::vector<std::string> file_names() const override {
        std::vector<std::string> names;
        for (const archive::Member* m : files_) names.push_back(name_of(*m));
        return names;
    }
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
        for (const archive::Member* m : files_) {
            if (name_of(*m) == name) return m;
        }
        return nullptr;
    }

    std::shared_ptr<const archive::Archive> vp_;
    std::string folder_;
    std::vector<const archive::Member*> files_;
};

// The VP files of a folder, in name order.
std::vector<fs::path> archives_in(const fs::path& folder) {
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

struct ModelTextures::Sources {
    std::vector<std::unique_ptr<VpFolder>> folders;

    // The archive's maps folder, then the model's own folder inside it.
    void add(const fs::path& vp, const std::string& model_folder) {
        try {
            auto listed = std::make_shared<const archive::Archive>(archive::Archive::open(vp));
            folders.push_back(std::make_unique<VpFolder>(listed, "data/maps"));
            if (!model_folder.empty() && lower_ascii(model_folder) != "data/maps") {
                folders.push_back(std::make_unique<VpFolder>(listed, model_folder));
            }
        } catch (const std::exception&) {
            // An archive that cannot be listed holds no texture for the search.
        }
    }
};

ModelTextures::ModelTextures(const ModelLocation& where,
                             const std::vector<std::string>& user_folders,
                             const std::vector<std::string>& names)
    : sources_(std::make_unique<Sources>()) {
    if (where.path.empty()) return;
    searched_ = true;
    SearchPlaces places;
    for (const auto& folder : user_folders) places.user_folders.emplace_back(folder);
    const fs::path file(where.path);
    if (where.member.empty()) {
        places.model = file;
        if (const auto mod = mod_folder(file)) {
            for (const auto& vp : archives_in(*mod)) sources_->add(vp, "data/models");
        }
    } else {
        const std::string inside = fs::path(where.member).parent_path().generic_string();
        sources_->add(file, inside);
        for (const auto& vp : archives_in(fs::absolute(file).parent_path())) {
            if (fs::absolute(vp) != fs::absolute(file)) sources_->add(vp, inside);
        }
    }
    for (const auto& folder : sources_->folders) places.archives.push_back(folder.get());
    search_ = find_textures(names, places);
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
