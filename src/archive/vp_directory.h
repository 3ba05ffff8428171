#pragma once
// Fills an archive from its header and directory.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "archive/vp_archive.h"

namespace archive {

class DirectoryReader {
  public:
    explicit DirectoryReader(Archive& archive);
    // Throws pof::OpenError for a file that is not an archive, pof::ReadError for a header or
    // directory that cannot be listed.
    void read();

  private:
    struct Header {
        std::int32_t version = 0;
        std::int64_t directory = 0;
        std::int64_t count = 0;
    };

    Header header();
    void entry(std::string_view bytes, std::int32_t index, std::int64_t at);
    void open_folder(std::string_view name, std::int32_t index, std::int64_t at);
    void close_folder(std::int32_t index);
    void count_path(std::string_view name, std::int32_t index, std::int64_t at);
    void add_file_path(Member& m, std::string_view name);
    void note(std::int32_t entry, std::int64_t member, std::string text);

    Archive& archive_;
    std::string folder_;                    // the current folder's path; "" at the top
    std::vector<std::size_t> folder_ends_;  // folder_'s length before each open folder
    std::int64_t path_bytes_ = 0;           // of every path met so far, folders' included
    std::int64_t path_limit_ = 0;
};

}  // namespace archive
