#pragma once
// One folder inside an archive (say data/maps in a VP file), as the texture search sees it.
// The archive reader implements it; the search lists the folder once and reads the file it
// chose. Loose files are always searched before any archive.

#include <cstdint>
#include <string>
#include <vector>

namespace textures {

class ArchiveFolderSource {
  public:
    virtual ~ArchiveFolderSource() = default;

    // The archive's file name, as a found texture names it ("sparky_fs2.vp").
    virtual std::string archive_name() const = 0;
    // The folder as a list of searched places shows it ("sparky_fs2.vp: data/maps").
    virtual std::string display_name() const = 0;
    // The names of the files in the folder, as the archive stores them.
    virtual std::vector<std::string> file_names() const = 0;
    // The size in bytes of one of those files.
    virtual std::uint64_t file_size(const std::string& name) const = 0;
    // The first max_bytes bytes of one of those files, or all of it when shorter. Throws a
    // std::exception whose what() says why when the file cannot be read.
    virtual std::vector<std::uint8_t> read(const std::string& name,
                                           std::uint64_t max_bytes) const = 0;
};

}  // namespace textures
