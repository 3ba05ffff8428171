#include "output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace pofdump {

namespace {
constexpr std::size_t kBufferBytes = 64 * 1024;
}

std::unique_ptr<OutputFile> OutputFile::open(const std::string& path, std::string& why) {
    constexpr int kFlags = O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    bool created = false;
    int fd = ::open(path.c_str(), kFlags);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(path.c_str(), kFlags | O_CREAT | O_EXCL, 0666);
        created = fd >= 0;
    }
    if (fd < 0) {
        why = errno == ENXIO ? "not a regular file" : std::strerror(errno);
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        why = "not a regular file";
        ::close(fd);
        return nullptr;
    }
    auto file = std::unique_ptr<OutputFile>(new OutputFile(fd));
    if (created) file->created_path_ = path;
    return file;
}

void OutputFile::discard() {
    if (!created_path_.empty()) ::unlink(created_path_.c_str());
}

OutputFile::OutputFile(int fd) : fd_(fd), buffer_(fd), stream_(&buffer_) {}

OutputFile::~OutputFile() {
    ::close(fd_);
}

bool OutputFile::start(std::string& why) {
    if (::ftruncate(fd_, 0) == 0) return true;
    why = std::strerror(errno);
    return false;
}

bool OutputFile::finish(std::string& why) {
    stream_.flush();
    if (!buffer_.failed()) return true;
    why = std::strerror(buffer_.error());
    return false;
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
