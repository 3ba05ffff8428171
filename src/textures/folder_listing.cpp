#include "textures/folder_listing.h"

namespace textures {

void FolderListing::keep(std::unordered_map<std::string, std::string>& names, std::string name) {
    auto [at, added] = names.try_emplace(lower_ascii(name), name);
    if (!added && name < at->second) at->second = std::move(name);
}

FolderListing FolderListing::of_folder(const std::filesystem::path& folder) {
    FolderListing listing;
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code type_ec;
        const bool is_folder = it->is_directory(type_ec);
        if (!is_folder && !it->is_regular_file(type_ec)) continue;
        keep(is_folder ? listing.folders_ : listing.files_, it->path().filename().string());
    }
    return listing;
}

FolderListing FolderListing::of_files(const std::vector<std::string>& names) {
    FolderListing listing;
    for (const auto& name : names) keep(listing.files_, name);
    return listing;
}

const std::string* FolderListing::file(const std::string& lowered) const {
    const auto at = files_.find(lowered);
    return at == files_.end() ? nullptr : &at->second;
}

const std::string* FolderListing::folder(const std::string& lowered) const {
    const auto at = folders_.find(lowered);
    return at == folders_.end() ? nullptr : &at->second;
}

const FolderListing& FolderListings::folder(const std::filesystem::path& absolute) {
    const auto [at, added] = folders_.try_emplace(absolute.string());
    if (added) at->second = FolderListing::of_folder(absolute);
    return at->second;
}

const FolderListing& FolderListings::files(const ArchiveFolderSource& archive) {
    const auto [at, added] = archive_folders_.try_emplace(&archive);
    if (added) at->second = FolderListing::of_files(archive.file_names());
    return at->second;
}

}  // namespace textures
