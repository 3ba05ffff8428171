#include "output_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace pofdump {

namespace {

constexpr std::size_t kBufferBytes = std::size_t{64} * 1024;

// The permissions a new file gets: everyone may read and write but for the umask.
mode_t new_file_mode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

std::unique_ptr<OutputFile> OutputFile::open(const std::string& path, std::string& why) {
    std::string target = path;
    mode_t mode = new_file_mode();
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) {
        if (S_ISLNK(st.st_mode)) {
            // Written where the link points, so the link stays a link.
            if (::stat(path.c_str(), &st) != 0) {
                why = errno == ENOENT ? "it is a dangling symbolic link (what it names does not "
                                        "exist)"
                                      : std::strerror(errno);
                return nullptr;
            }
            char* real = ::realpath(path.c_str(), nullptr);
            if (!real) {
                why = std::strerror(errno);
                return nullptr;
            }
            target = real;
            std::free(real);
        }
        if (!S_ISREG(st.st_mode)) {
            why = S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "not a regular file";
            return nullptr;
        }
        if (::access(target.c_str(), W_OK) != 0) {
            why = std::strerror(errno);
            return nullptr;
        }
        mode = st.st_mode & 07777;
    } else if (errno != ENOENT) {
        why = std::strerror(errno);
        return nullptr;
    }
    const auto slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temporary = folder + "." + name.substr(0, NAME_MAX - 16) + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        why = std::strerror(errno);
        return nullptr;
    }
    ::fchmod(fd, mode);
    return std::unique_ptr<OutputFile>(new OutputFile(fd, std::move(temporary), std::move(target)));
}

OutputFile::OutputFile(int fd, std::string temporary, std::string target)
    : fd_(fd),
      temporary_(std::move(temporary)),
      target_(std::move(target)),
      buffer_(fd),
      stream_(&buffer_) {}

OutputFile::~OutputFile() {
    discard();
}

void OutputFile::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
}

bool OutputFile::finish(std::string& why) {
    stream_.flush();
    int error = buffer_.failed() ? buffer_.error() : 0;
    // A file system may report a failed write only when the file is closed.
    if (fd_ >= 0 && ::close(fd_) != 0 && error == 0) error = errno;
    fd_ = -1;
    if (error == 0) return true;
    why = std::strerror(error);
    discard();
    return false;
}

bool OutputFile::commit(std::string& why) {
    if (temporary_.empty()) {
        why = "the file was not written";
        return false;
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        why = std::strerror(errno);
        discard();
        return false;
    }
    temporary_.clear();
    return true;
}

OutputFile::Buffer::Buffer(int fd) : fd_(fd), bytes_(kBufferBytes) {
    setp(bytes_.data(), bytes_.data() + bytes_.size());
}

bool OutputFile::Buffer::drain() {
    const char* at = pbase();
    while (at < pptr() && !failed_) {
        const ssize_t wrote = ::write(fd_, at, static_cast<std::size_t>(pptr() - at));
        if (wrote >= 0) {
            at += wrote;
        } else if (errno != EINTR) {
            failed_ = true;
            error_ = errno;
        }
    }
    setp(bytes_.data(), bytes_.data() + bytes_.size());
    return !failed_;
}

OutputFile::Buffer::int_type OutputFile::Buffer::overflow(int_type c) {
    if (!drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int OutputFile::Buffer::sync() {
    return drain() ? 0 : -1;
}

}  // namespace pofdump
