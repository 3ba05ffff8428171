#pragma once
// A VP archive: its directory read once and checked before anything is sized by it, the
// files it lists with their paths, and each file's body read as a span of the archive.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "io/pof_file.h"

namespace archive {

// A file the directory lists. Folders and ".." entries only shape the paths.
struct Member {
    std::int64_t offset = 0;  // of the body, from the archive's first byte
    std::int64_t size = 0;
    std::int64_t time = 0;    // seconds since 1970, UTC
    std::int32_t entry = 0;   // its place in the directory, from 0
    bool cut = false;         // the body passes the end of the archive: it never opens
    std::size_t path_at = 0;  // where its path starts in the archive's path text
    std::size_t path_size = 0;
};

// A fault of the directory that leaves the rest listed: the directory entry it is in (-1 for
// the archive as a whole), the member that entry lists (-1 for a folder entry or none), and
// what is wrong, in words that leave the member's path to the caller.
struct Note {
    std::int32_t entry = -1;
    std::int64_t member = -1;
    std::string text;
};

class Archive {
  public:
    // Lists the archive at path. Throws pof::OpenError when the file cannot be opened or is
    // not an archive, pof::ReadError (with its byte) when its header or directory cannot
    // be listed.
    static Archive open(const std::string& path);
    // The same over a file already open (its magic looked at), named path: the archive keeps
    // it, and every member is read through it without opening the file again.
    static Archive read(pof::PofFile file, std::string path);
    // The same over bytes in memory, which must outlive the archive; shown as name.
    static Archive from_bytes(std::string_view bytes, std::string name);

    // The archive's file as it was named.
    const std::string& path() const { return path_; }
    const std::vector<Member>& members() const { return members_; }
    const std::vector<Note>& notes() const { return notes_; }
    std::int32_t folder_count() const { return folders_; }
    // The byte of a directory entry; of the header's version field for the archive as a
    // whole (an entry below 0).
    std::int64_t entry_offset(std::int32_t entry) const {
        return entry < 0 ? 4 : directory_ + std::int64_t{entry} * 44;
    }
    // "data/models/ship.pof": the names of its folders and its own, as stored.
    std::string_view path_of(const Member& m) const {
        return std::string_view(paths_).substr(m.path_at, m.path_size);
    }

    // The member of that path, ASCII case ignored; of two with one path the later one, as a
    // later archive entry overrides an earlier one.
    const Member* find(std::string_view path) const;
    // The files right inside a folder ("data/maps"; "" for the top), one per path, in path
    // order.
    std::vector<const Member*> files_in(std::string_view folder) const;

    // The member's body as a file of its own, read straight from the archive. A cut member
    // is refused with pof::OpenError.
    pof::PofFile open_member(const Member& m) const;
    // Its first max_bytes bytes (all of them for a negative max_bytes).
    std::string read_member(const Member& m, std::int64_t max_bytes = -1) const;

    // Why a cut member cannot open ("its 500 bytes at byte 100 pass the end of ...").
    std::string cut_reason(const Member& m) const;

  private:
    friend class DirectoryReader;
    Archive() = default;
    // The bytes from begin on as a file of their own, over the archive's open file.
    pof::PofFile span(std::int64_t begin, std::int64_t length) const;
    void index_paths();
    void note_duplicates();

    std::string path_;
    std::shared_ptr<const pof::PofFile> file_;  // the archive, open once; shared by its copies
    std::int64_t file_size_ = 0;
    std::vector<Member> members_;
    std::vector<Note> notes_;
    std::int32_t folders_ = 0;
    std::int64_t directory_ = 0;        // the directory's first byte
    std::string paths_;                 // every member's path, one after the other
    std::vector<std::size_t> by_path_;  // members in path order (case ignored), then entry
};

// Whether the file at path starts with the archive magic "VPVP"; false when it cannot be read.
bool has_archive_magic(const std::string& path);
// Whether an open file starts with it.
bool has_archive_magic(const pof::PofFile& file);

// What a member holds, by the suffix of its name.
enum class MemberKind { Model, Texture, Table, Other };
MemberKind kind_of(std::string_view path);

// ASCII letters compared without regard to case, other bytes as they are.
bool same_path(std::string_view a, std::string_view b);
bool path_less(std::string_view a, std::string_view b);

}  // namespace archive
