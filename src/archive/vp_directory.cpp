// Reads an archive's header and directory: every count and offset is checked against the
// file's size before anything is sized by it, and the entries are read in batches, never the
// bodies.

#include <algorithm>

#include "archive/vp_directory.h"
#include "io/little_endian.h"
#include "io/text.h"

namespace archive {

namespace {

constexpr std::int64_t kHeaderBytes = 16;
constexpr std::int64_t kEntryBytes = 44;
constexpr std::int64_t kNameBytes = 32;
constexpr std::int64_t kEntriesPerRead = 1024;
constexpr std::int32_t kKnownVersion = 2;
// The paths of a sane archive take about as much room as its directory; nested folders could
// make them grow with the square of the entries, so their bytes are held to this many per
// entry.
constexpr std::int64_t kPathBytesPerEntry = 8 * kEntryBytes;
constexpr std::int64_t kPathBytesSpare = std::int64_t{64} * 1024;

using pof::integer_text;

std::int32_t le32(std::string_view b, std::size_t at) {
    return static_cast<std::int32_t>(pof::little_endian<4>(b.data() + at));
}

// The name up to its first NUL; a name that fills all 32 bytes has none.
std::string_view name_in(std::string_view entry) {
    const std::string_view name = entry.substr(8, kNameBytes);
    return name.substr(0, std::min(name.find('\0'), name.size()));
}

std::string bytes_text(std::int64_t n) {
    return integer_text(n) + (n == 1 ? " byte" : " bytes");
}

}  // namespace

DirectoryReader::DirectoryReader(Archive& archive) : archive_(archive) {}

void DirectoryReader::read() {
    const Header h = header();
    if (h.version != kKnownVersion) {
        note(-1, -1,
             "its version is " + integer_text(h.version) + "; every known archive has version 2");
    }
    archive_.directory_ = h.directory;
    path_limit_ = h.count * kPathBytesPerEntry + kPathBytesSpare;
    // The count is one the file can hold, so this is bounded by the file's size.
    archive_.members_.reserve(static_cast<std::size_t>(h.count));
    pof::PofFile directory = archive_.span(h.directory, h.count * kEntryBytes);
    for (std::int64_t done = 0; done < h.count;) {
        const std::int64_t batch = std::min(kEntriesPerRead, h.count - done);
        const std::string bytes = directory.bytes(batch * kEntryBytes);
        for (std::int64_t k = 0; k < batch; ++k) {
            entry(std::string_view(bytes).substr(k * kEntryBytes, kEntryBytes),
                  static_cast<std::int32_t>(done + k), h.directory + (done + k) * kEntryBytes);
        }
        done += batch;
    }
}

// The magic, the version, and a directory the file can hold.
DirectoryReader::Header DirectoryReader::header() {
    const std::int64_t size = archive_.file_size_;
    const std::int64_t magic = std::min<std::int64_t>(4, size);
    if (archive_.span(0, magic).bytes(magic) != "VPVP") {
        throw pof::OpenError(archive_.path_ + ": not a VP archive");
    }
    if (size < kHeaderBytes) {
        throw pof::ReadError(0, "the header is cut short: " + integer_text(size) +
                                    " of its 16 bytes are in the file");
    }
    pof::PofFile file = archive_.span(0, kHeaderBytes);
    file.skip(4);
    Header h;
    h.version = file.i32();
    h.directory = file.i32();
    h.count = file.i32();
    if (h.directory < 0 || h.directory > size) {
        throw pof::ReadError(8, "the directory offset " + integer_text(h.directory) +
                                    " at byte 8 lies outside the file (" + bytes_text(size) + ")");
    }
    if (h.count < 0) {
        throw pof::ReadError(
            12, "the entry count " + integer_text(h.count) + " at byte 12 is below zero");
    }
    if (h.count > (size - h.directory) / kEntryBytes) {
        throw pof::ReadError(
            12, "the " + integer_text(h.count) + " directory entries announced at byte 12 need " +
                    bytes_text(h.count * kEntryBytes) + " from byte " + integer_text(h.directory) +
                    " on, but the file has " + bytes_text(size - h.directory) + " left there");
    }
    return h;
}

// ".." closes the current folder, an entry of size 0 opens a folder, any other is a file.
void DirectoryReader::entry(std::string_view bytes, std::int32_t index, std::int64_t at) {
    const std::string_view name = name_in(bytes);
    if (name == "..") return close_folder(index);
    const std::int64_t size = le32(bytes, 4);
    if (size == 0) return open_folder(name, index, at);
    Member m;
    m.offset = le32(bytes, 0);
    m.size = size;
    m.time = le32(bytes, 40);
    m.entry = index;
    m.cut = m.offset < 0 || m.size < 0 || m.offset > archive_.file_size_ ||
            m.size > archive_.file_size_ - m.offset;
    count_path(name, index, at);
    add_file_path(m, name);
    archive_.members_.push_back(m);
    if (m.cut) {
        note(index, static_cast<std::int64_t>(archive_.members_.size()) - 1,
             archive_.cut_reason(m) + "; it cannot be opened");
    }
}

void DirectoryReader::open_folder(std::string_view name, std::int32_t index, std::int64_t at) {
    // A folder's path counts against the limit as a file's does.
    count_path(name, index, at);
    folder_ends_.push_back(folder_.size());
    if (!folder_.empty()) folder_ += '/';
    folder_ += name;
    ++archive_.folders_;
}

void DirectoryReader::close_folder(std::int32_t index) {
    if (folder_ends_.empty()) {
        note(index, -1, "a \"..\" at the top of the archive was ignored");
        return;
    }
    folder_.resize(folder_ends_.back());
    folder_ends_.pop_back();
}

// Counts the path of an entry named name in the current folder against the limit on paths.
void DirectoryReader::count_path(std::string_view name, std::int32_t index, std::int64_t at) {
    const std::size_t size = folder_.empty() ? name.size() : folder_.size() + 1 + name.size();
    if (static_cast<std::int64_t>(size) > path_limit_ - path_bytes_) {
        throw pof::ReadError(at, "entry " + integer_text(index) + " at byte " + integer_text(at) +
                                     ": its folders nest so deep that the paths would take more "
                                     "than " +
                                     bytes_text(path_limit_));
    }
    path_bytes_ += static_cast<std::int64_t>(size);
}

void DirectoryReader::add_file_path(Member& m, std::string_view name) {
    std::string& paths = archive_.paths_;
    m.path_at = paths.size();
    if (!folder_.empty()) paths.append(folder_).append(1, '/');
    paths.append(name);
    m.path_size = paths.size() - m.path_at;
}

void DirectoryReader::note(std::int32_t entry, std::int64_t member, std::string text) {
    archive_.notes_.push_back({entry, member, std::move(text)});
}

}  // namespace archive
