#pragma once
// The places a model's textures are looked for, archives included, and the search over them.
//
// A loose model (data/models/ship.pof) is searched in the user's folders, its own folder and
// the maps folders beside it, then in the VP archives of its mod folder (the folder that holds
// the data folder it sits in), in name order. A model read from an archive is searched in the
// user's folders, then in that archive (its data/maps folder and the model's own folder), then
// in the other VP archives of the archive's folder, in name order. Inside an archive the same
// folders are searched as in the model's own.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "textures/search.h"

namespace archive {
class Archive;
}

namespace textures {

// What the texture searches of a run share: the folders listed, the VP archives found in a
// folder and each archive's directory, each read at its first use. pofdump --check hands one
// to every model's check, so a folder is listed and an archive's directory read once per run
// however many models, TXTR and glow textures alike, look in them. Used by one thread at a
// time; the archive folders it hands out may be read from any.
class SearchCache {
  public:
    SearchCache();
    ~SearchCache();
    SearchCache(const SearchCache&) = delete;
    SearchCache& operator=(const SearchCache&) = delete;

    FolderListings& listings() { return listings_; }
    // A folder of the VP archive at path as the search reads it; nullptr when the archive
    // cannot be listed.
    const ArchiveFolderSource* archive_folder(const std::filesystem::path& vp,
                                              const std::string& folder);
    // The VP files of a folder, in name order.
    const std::vector<std::filesystem::path>& archives_in(const std::filesystem::path& folder);
    // An archive already listed (the one whose models are being read), used for the path it
    // was opened by instead of listing it again.
    void keep(const std::string& path, std::shared_ptr<const archive::Archive> listed);
    // How many archives' directories were read.
    std::size_t archives_read() const;

  private:
    struct Archives;
    FolderListings listings_;
    std::unique_ptr<Archives> archives_;
};

// Where a model was read from: a loose file, or a member of an archive.
struct ModelLocation {
    std::string path;    // the model's file, or the archive's
    std::string member;  // the model's path inside the archive; empty for a loose file
};

class ModelTextures {
  public:
    // Searches names for the model at where; nothing at all when where has no path (a model
    // read from memory has no folder). The places are listed in cache, a fresh one when none
    // is given; the lookups keep it.
    ModelTextures(const ModelLocation& where, const std::vector<std::string>& user_folders,
                  const std::vector<std::string>& names,
                  std::shared_ptr<SearchCache> cache = nullptr);
    ~ModelTextures();
    ModelTextures(const ModelTextures&) = delete;
    ModelTextures& operator=(const ModelTextures&) = delete;

    bool searched() const { return searched_; }
    // The lookups refer to the archives this object keeps open.
    const TextureSearch& search() const { return search_; }

  private:
    std::shared_ptr<SearchCache> cache_;
    TextureSearch search_;
    bool searched_ = false;
};

// The texture a glow bank's properties name ("$glow_texture=NAME" on a line of its own); ""
// when they name none.
std::string glow_texture_name(const std::string& properties);

}  // namespace textures
