#include "textures/search.h"

#include <set>
#include <string_view>

#include "io/text.h"
#include "textures/folder_listing.h"

namespace textures {

namespace fs = std::filesystem;

namespace {

struct Place {
    const FolderListing* listing = nullptr;
    fs::path folder;    // a loose folder; empty for an archive's
    std::string shown;  // as TextureSearch::places shows it
    const ArchiveFolderSource* archive = nullptr;
};

bool ends_with_extension(const std::string& lowered) {
    for (const auto& e : pof::kTextureExtensions) {
        if (lowered.size() > e.extension.size() && lowered.ends_with(e.extension)) return true;
    }
    return false;
}

// The folder made absolute and normal, without a trailing separator ("/a/b/." is "/a/b").
fs::path absolute_folder(const fs::path& folder) {
    std::error_code ec;
    const fs::path a = fs::absolute(folder.empty() ? fs::path(".") : folder, ec);
    fs::path normal = (ec ? folder : a).lexically_normal();
    if (!normal.has_filename() && normal.has_relative_path()) normal = normal.parent_path();
    return normal;
}

// A path as seen from the model's folder, when there is such a way to it.
std::string shown_from(const fs::path& model_folder, const fs::path& path) {
    const fs::path relative = absolute_folder(path).lexically_relative(model_folder);
    return relative.empty() ? path.string() : relative.generic_string();
}

std::string maps_name(const FolderListing& listing) {
    const std::string* name = listing.folder("maps");
    return name ? *name : "maps";
}

class PlaceList {
  public:
    PlaceList(const fs::path& model_folder, FolderListings& listings)
        : model_folder_(model_folder), listings_(listings) {}

    void add_folder(const fs::path& folder, std::string shown) {
        const fs::path absolute = absolute_folder(folder);
        if (!seen_.insert(absolute.string()).second) return;
        places_.push_back({&listings_.folder(absolute), absolute, std::move(shown)});
    }
    // The "maps" folder inside `folder`, its name in any case.
    void add_maps_in(const fs::path& folder) {
        const fs::path maps = folder / maps_name(listings_.folder(folder));
        add_folder(maps, shown_from(model_folder_, maps));
    }
    void add_archive(const ArchiveFolderSource* a) {
        places_.push_back({&listings_.files(*a), {}, a->display_name(), a});
    }
    const std::vector<Place>& places() const { return places_; }

  private:
    fs::path model_folder_;
    FolderListings& listings_;
    std::set<std::string> seen_;
    std::vector<Place> places_;
};

std::vector<Place> places_of(const SearchPlaces& where, FolderListings& listings) {
    const fs::path model_folder = absolute_folder(where.model.parent_path());
    PlaceList list(model_folder, listings);
    for (const auto& folder : where.user_folders) list.add_folder(folder, folder.string());
    // A model without a file of its own (a member of an archive) has no folder to search.
    if (!where.model.empty()) {
        list.add_folder(model_folder, ".");
        list.add_maps_in(model_folder);
        if (model_folder.has_parent_path() && model_folder.parent_path() != model_folder) {
            list.add_maps_in(model_folder.parent_path());
        }
    }
    for (const auto* archive : where.archives) list.add_archive(archive);
    return list.places();
}

std::optional<FoundTexture> look_up(const std::vector<std::string>& candidates, const Place& place,
                                    const fs::path& model_folder) {
    for (const auto& candidate : candidates) {
        const std::string* stored = place.listing->file(candidate);
        if (!stored) continue;
        FoundTexture found;
        found.file_name = *stored;
        found.kind = kind_of_extension(fs::path(candidate).extension().string()).value();
        if (place.archive) {
            found.archive = place.archive;
            found.archive_name = place.archive->archive_name();
            found.shown_path = place.shown + "/" + *stored;
        } else {
            found.path = place.folder / *stored;
            found.shown_path = shown_from(model_folder, found.path);
        }
        return found;
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::string> candidate_names(const std::string& name) {
    std::vector<std::string> out;
    if (name.empty()) return out;  // would match hidden files named ".dds" and so on
    // The name as stored, and in UTF-8 when its 8-bit text reads differently there: a file
    // name on disk may be either.
    std::vector<std::string> forms{lower_ascii(name)};
    const std::string utf8 = lower_ascii(pof::text8(name));
    if (utf8 != forms[0]) forms.push_back(utf8);
    for (const auto& form : forms) {
        if (ends_with_extension(form)) out.push_back(form);
    }
    for (const auto& form : forms) {
        for (const auto& e : pof::kTextureExtensions)
            out.push_back(form + std::string(e.extension));
    }
    return out;
}

std::string places_text(const std::vector<std::string>& places) {
    std::string out;
    for (const auto& place : places) out += (out.empty() ? "" : ", ") + place;
    return out;
}

TextureSearch find_textures(std::span<const std::string> names, const SearchPlaces& where,
                            FolderListings* listings) {
    FolderListings own;
    const std::vector<Place> places = places_of(where, listings ? *listings : own);
    const fs::path model_folder = absolute_folder(where.model.parent_path());
    TextureSearch search;
    for (const auto& p : places) search.places.push_back(p.shown);
    for (const auto& name : names) {
        TextureLookup lookup{name, std::nullopt};
        const auto candidates = candidate_names(name);
        for (const auto& place : places) {
            lookup.found = look_up(candidates, place, model_folder);
            if (lookup.found) break;
        }
        search.textures.push_back(std::move(lookup));
    }
    return search;
}

}  // namespace textures
