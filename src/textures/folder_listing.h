#pragma once
// The names in one folder, read once and looked up without regard to case.

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "io/text.h"
#include "textures/archive_source.h"

namespace textures {

using pof::lower_ascii;

class FolderListing {
  public:
    FolderListing() = default;
    // Lists a folder's files and subfolders; a folder that is absent or unreadable lists none.
    static FolderListing of_folder(const std::filesystem::path& folder);
    // A listing of file names alone (an archive's folder).
    static FolderListing of_files(const std::vector<std::string>& names);

    // The name as stored of the file whose lowered name is `lowered`; nullptr if none. Of
    // names that differ in case alone, the first in byte order.
    const std::string* file(const std::string& lowered) const;
    const std::string* folder(const std::string& lowered) const;

  private:
    static void keep(std::unordered_map<std::string, std::string>& names, std::string name);

    std::unordered_map<std::string, std::string> files_;  // lowered name -> name as stored
    std::unordered_map<std::string, std::string> folders_;
};

// The listings one run has made, each folder listed once however many searches look in it:
// pofdump --check shares one over every model it checks. Not for two threads at once.
class FolderListings {
  public:
    // The folder, absolute and normal, listed at its first use.
    const FolderListing& folder(const std::filesystem::path& absolute);
    // The files of a folder inside an archive, listed at its first use; the listings keep no
    // more than its address, so the source must outlive them.
    const FolderListing& files(const ArchiveFolderSource& archive);
    // How many folders and archive folders were listed.
    std::size_t listed() const { return folders_.size() + archive_folders_.size(); }

  private:
    std::unordered_map<std::string, FolderListing> folders_;
    std::unordered_map<const ArchiveFolderSource*, FolderListing> archive_folders_;
};

}  // namespace textures
