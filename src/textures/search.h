#pragma once
// The texture search: for each TXTR name, the file that holds its texture.
//
// A name is tried as it is when it already ends in one of the texture extensions (.dds, .tga,
// .png, .jpg, .jpeg, .pcx: io/texture_extensions.h), then with each of those extensions added,
// in that order, and compared with the files' names without regard to case (ASCII letters). The places, in order, the first file found winning:
//   1. the user's folders, in the order given;
//   2. the model's own folder;
//   3. a "maps" folder beside the model, then one beside the model's folder
//      (data/models/ship.pof finds data/maps/);
//   4. the archive folders given, in their order: loose files always come first.
// Each folder is listed once per search (once per run, for searches that share their
// listings) and nothing outside these places is read, so a search costs a few directory
// listings however many names it looks for; each name is a few hashed lookups per place.

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "textures/archive_source.h"
#include "textures/decode.h"
#include "textures/folder_listing.h"

namespace textures {

struct SearchPlaces {
    std::filesystem::path model;  // the POF file; empty for one without a folder of its own
    std::vector<std::filesystem::path> user_folders = {};
    // Searched after every loose place; the caller keeps them alive while it uses the results.
    std::vector<const ArchiveFolderSource*> archives = {};
};

struct FoundTexture {
    std::string file_name;            // as the folder or archive stores it
    std::filesystem::path path;       // the loose file; empty when in an archive
    std::string shown_path;           // relative to the model's folder ("maps/hull.dds",
                                      // "../maps/hull.dds"), absolute when it has no such form;
                                      // in an archive its place and name ("a.vp: data/maps/x.dds")
    ImageKind kind = ImageKind::Dds;  // guessed from the extension
    const ArchiveFolderSource* archive = nullptr;  // nullptr for a loose file
    std::string archive_name;                      // "" for a loose file
};

struct TextureLookup {
    std::string name;                   // the TXTR name, bytes as stored
    std::optional<FoundTexture> found;  // nullopt: missing from every place searched
};

struct TextureSearch {
    std::vector<std::string> places;      // every place searched, in order, as shown to users
    std::vector<TextureLookup> textures;  // one per name, in the names' order
};

// The places searched as one line: "maps, ../maps, a.vp: data/maps".
std::string places_text(const std::vector<std::string>& places);

// Looks up every name (the TXTR names, in order) in the places, with the folders listed in
// listings (listed afresh for this search when there are none).
TextureSearch find_textures(std::span<const std::string> names, const SearchPlaces& where,
                            FolderListings* listings = nullptr);

// The names a TXTR name is tried as, lowered, in order; the extension of each gives its kind.
std::vector<std::string> candidate_names(const std::string& name);

}  // namespace textures
