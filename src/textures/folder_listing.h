#pragma once
// The names in one folder, read once and looked up without regard to case.

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "io/text.h"

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

}  // namespace textures
