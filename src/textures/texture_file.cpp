#include "textures/texture_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>

namespace textures {

namespace {

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

std::string system_error() {
    return std::strerror(errno);
}

void read_all(int fd, std::vector<std::uint8_t>& into, FileBytes& out) {
    std::size_t at = 0;
    while (at < into.size()) {
        const ssize_t got = ::pread(fd, into.data() + at, into.size() - at, off_t(at));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            out.error = "the file could not be read: " + system_error();
            return;
        }
        if (got == 0) break;  // it shrank since it was looked at
        at += std::size_t(got);
    }
    into.resize(at);
}

// The bytes of a file of `size` bytes to read, or an error when it is too large.
std::uint64_t bytes_to_read(std::uint64_t size, FileBytes& out) {
    if (size > kMaxFileBytes) out.error = "the file is larger than 512 MiB";
    return out.error.empty() ? size : 0;
}

FileBytes read_loose(const std::string& path) {
    FileBytes out;
    // O_NONBLOCK: opening a FIFO with no writer would otherwise wait for one.
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0) {
        out.error = "the file could not be opened: " + system_error();
        return out;
    }
    if (!S_ISREG(st.st_mode)) {
        out.error = "it is not a regular file";
        return out;
    }
    out.file_size = std::uint64_t(st.st_size);
    out.bytes.resize(bytes_to_read(out.file_size, out));
    read_all(fd.get(), out.bytes, out);
    return out;
}

FileBytes read_archived(const FoundTexture& found) {
    FileBytes out;
    try {
        out.file_size = found.archive->file_size(found.file_name);
        const std::uint64_t n = bytes_to_read(out.file_size, out);
        if (out.error.empty()) out.bytes = found.archive->read(found.file_name, n);
    } catch (const std::exception& e) {
        out.error =
            std::string("it could not be read from ") + found.archive_name + ": " + e.what();
    }
    return out;
}

}  // namespace

FileBytes read_texture_file(const FoundTexture& found) {
    return found.archive ? read_archived(found) : read_loose(found.path);
}

DecodedImage decode_texture(const FoundTexture& found) {
    DecodedImage out;
    const FileBytes file = read_texture_file(found);
    if (!file.error.empty()) {
        out.reason = file.error;
        return out;
    }
    if (file.bytes.size() < file.file_size) {
        out.reason = "the file ended before all its bytes were read";
        return out;
    }
    return decode_image(file.bytes, found.kind);
}

}  // namespace textures
