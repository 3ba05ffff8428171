#include "io/pof_file.h"

#include "io/little_endian.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <utility>

namespace pof {

namespace {
constexpr std::int64_t kBufferSize = std::int64_t{64} * 1024;
// Byte blocks this long or longer (a subobject's BSP data) are read from the file straight
// into their own memory, not copied through the buffer.
constexpr std::int64_t kDirectRead = std::int64_t{16} * 1024;
// The first refill after such a block; each further refill reads twice as much, up to the
// whole buffer.
constexpr std::int64_t kSmallRefill = 4096;
// The bulk memory byte blocks are packed into, as long as the file holds that much.
constexpr std::int64_t kBulkMemory = std::int64_t{8} << 20;

// Up to the parts' bytes from the file at base + offset, filling them in order: how many were
// read, 0 at its end; throws when the read fails.
std::int64_t read_parts(int fd, iovec* parts, int count, std::int64_t base, std::int64_t offset) {
    for (;;) {
        const ssize_t got = ::preadv(fd, parts, count, static_cast<off_t>(base + offset));
        if (got >= 0) return got;
        if (errno != EINTR) {
            throw ReadError(offset, "the file could not be read at byte " + std::to_string(offset) +
                                        ": " + std::strerror(errno));
        }
    }
}

[[noreturn]] void ends_early(std::int64_t offset) {
    // The file shrank after it was opened.
    throw ReadError(offset, "the file ends early at byte " + std::to_string(offset));
}

}  // namespace

// One look at the file: it is opened without waiting (a FIFO with no writer would block an
// ordinary open for ever), then its type and size come from the open descriptor, so nothing
// can change between the look and the read.
PofFile PofFile::open(const std::string& path) {
    PofFile f;
    f.fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (f.fd_ < 0) throw OpenError(path + ": " + std::strerror(errno));
    f.open_file_ = std::shared_ptr<const int>(new int(f.fd_), [](const int* fd) {
        ::close(*fd);
        delete fd;
    });
    struct stat st {};
    if (::fstat(f.fd_, &st) != 0) throw OpenError(path + ": " + std::strerror(errno));
    if (!S_ISREG(st.st_mode)) throw OpenError(path + ": not a regular file");
    f.size_ = st.st_size;
    return f;
}

PofFile PofFile::from_bytes(std::string_view bytes) {
    PofFile f;
    f.data_ = bytes.data();
    f.data_len_ = static_cast<std::int64_t>(bytes.size());
    f.size_ = f.data_len_;
    return f;
}

PofFile PofFile::span(std::int64_t begin, std::int64_t length) const {
    if (begin < 0 || length < 0 || begin > size_ || length > size_ - begin) {
        throw OpenError(std::to_string(length) + " bytes at byte " + std::to_string(begin) +
                        " pass the end of the file (" + std::to_string(size_) + " bytes)");
    }
    if (fd_ < 0) {
        return from_bytes(
            std::string_view(data_, static_cast<std::size_t>(size_))
                .substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(length)));
    }
    PofFile f;
    f.fd_ = fd_;
    f.open_file_ = open_file_;
    f.base_ = base_ + begin;
    f.size_ = length;
    return f;
}

std::string PofFile::first_bytes(std::int64_t n) const {
    const auto count = static_cast<std::size_t>(std::clamp<std::int64_t>(n, 0, size_));
    if (count == 0) return {};
    if (fd_ < 0) return std::string(data_, count);
    std::string out(count, '\0');
    std::size_t got = 0;
    while (got < count) {
        const ssize_t r = ::pread(fd_, out.data() + got, count - got,
                                  static_cast<off_t>(base_ + static_cast<std::int64_t>(got)));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        got += static_cast<std::size_t>(r);
    }
    out.resize(got);
    return out;
}

PofFile::PofFile(PofFile&& other) noexcept {
    *this = std::move(other);
}

PofFile& PofFile::operator=(PofFile&& other) noexcept {
    if (this == &other) return *this;
    fd_ = std::exchange(other.fd_, -1);
    open_file_ = std::move(other.open_file_);
    base_ = other.base_;
    const bool owns_buffer = !other.buffer_.empty();
    buffer_ = std::move(other.buffer_);
    data_ = owns_buffer ? buffer_.data() : other.data_;
    data_len_ = other.data_len_;
    buffer_start_ = other.buffer_start_;
    offset_ = other.offset_;
    size_ = other.size_;
    memory_ = std::move(other.memory_);
    memory_used_ = other.memory_used_;
    refill_size_ = other.refill_size_;
    memory_size_ = std::exchange(other.memory_size_, 0);
    return *this;
}

PofFile::~PofFile() = default;

void PofFile::need(std::int64_t n) const {
    if (n > size_ - offset_) {
        throw ReadError(offset_, "a read of " + std::to_string(n) + " bytes at byte " +
                                     std::to_string(offset_) + " passes the end of the file (" +
                                     std::to_string(size_) + " bytes)");
    }
}

// The buffer is made at the first read through it, no larger than the file: a span only
// looked at (the header of a texture in an archive) costs none, a small model little.
void PofFile::make_buffer() {
    if (!buffer_.empty()) return;
    const std::int64_t n = std::clamp<std::int64_t>(size_, 1, kBufferSize);
    buffer_.resize(static_cast<std::size_t>(n));
    data_ = buffer_.data();
    refill_size_ = std::min(refill_size_, n);
}

// Every read names its byte in the file: a skip over an unknown chunk leaves no file
// position to seek.
void PofFile::refill() {
    make_buffer();
    buffer_start_ += data_len_;
    data_len_ = 0;
    iovec part{buffer_.data(), static_cast<std::size_t>(refill_size_)};
    data_len_ = read_parts(fd_, &part, 1, base_, buffer_start_);
    if (data_len_ == 0) ends_early(offset_);
    refill_size_ = std::min(2 * refill_size_, static_cast<std::int64_t>(buffer_.size()));
}

// The next n bytes: what the buffer holds of them, and the rest straight from the file, which
// leaves the buffer empty.
void PofFile::read_large(char* dest, std::int64_t n) {
    make_buffer();
    const std::int64_t in_buffer = buffer_start_ + data_len_ - offset_;
    if (n <= in_buffer) return read_into(dest, n);
    std::memcpy(dest, data_ + (offset_ - buffer_start_), static_cast<std::size_t>(in_buffer));
    offset_ += in_buffer;
    buffer_start_ = offset_;
    data_len_ = 0;
    // Another large block may follow soon: read little ahead of it, so that it too comes
    // straight from the file rather than mostly through the buffer.
    refill_size_ = std::min(kSmallRefill, static_cast<std::int64_t>(buffer_.size()));
    for (std::int64_t done = in_buffer; done < n;) {
        // The rest of the block and the first bytes after it come in one call.
        const std::int64_t rest = n - done;
        iovec parts[2] = {{dest + done, static_cast<std::size_t>(rest)},
                          {buffer_.data(), static_cast<std::size_t>(refill_size_)}};
        const std::int64_t got = read_parts(fd_, parts, 2, base_, offset_);
        if (got == 0) ends_early(offset_);
        const std::int64_t taken = std::min(got, rest);
        done += taken;
        offset_ += taken;
        buffer_start_ = offset_;
        data_len_ = got - taken;
    }
}

// Hands the next n bytes to take(from, count) in pieces, as they stand in the buffer.
template <class Take>
void PofFile::read_pieces(std::int64_t n, Take take) {
    need(n);
    while (n > 0) {
        std::int64_t in_buffer = buffer_start_ + data_len_ - offset_;
        if (in_buffer == 0) {
            refill();
            in_buffer = data_len_;
        }
        const std::int64_t count = std::min(n, in_buffer);
        take(data_ + (offset_ - buffer_start_), count);
        offset_ += count;
        n -= count;
    }
}

void PofFile::read_into(char* dest, std::int64_t n) {
    read_pieces(n, [&dest](const char* from, std::int64_t count) {
        std::memcpy(dest, from, static_cast<std::size_t>(count));
        dest += count;
    });
}

std::uint8_t PofFile::u8() {
    char c;
    read_into(&c, 1);
    return static_cast<std::uint8_t>(c);
}

std::int32_t PofFile::i32() {
    char b[4];
    read_into(b, 4);
    return static_cast<std::int32_t>(little_endian<4>(b));
}

float PofFile::f32() {
    return std::bit_cast<float>(i32());
}

Vec3 PofFile::vec() {
    Vec3 v;
    v.x = f32();
    v.y = f32();
    v.z = f32();
    return v;
}

std::string PofFile::bytes(std::int64_t n) {
    if (n <= 0) return {};
    need(n);
    if (fd_ >= 0 && n >= kDirectRead) {
        std::string out(static_cast<std::size_t>(n), '\0');
        read_large(out.data(), n);
        return out;
    }
    // Shorter texts are appended piece by piece from the buffer into reserved room.
    std::string out;
    out.reserve(static_cast<std::size_t>(n));
    read_pieces(n, [&out](const char* from, std::int64_t count) {
        out.append(from, static_cast<std::size_t>(count));
    });
    return out;
}

ByteBlock PofFile::block(std::int64_t n) {
    if (n <= 0) return {};
    need(n);
    const auto size = static_cast<std::size_t>(n);
    if (fd_ < 0 || n < kDirectRead) {
        // Memory of its own, so that a sanitizer sees a read past the block.
        std::shared_ptr<char> own = bulk_memory(size);
        read_into(own.get(), n);
        return ByteBlock(std::move(own), size);
    }
    // Straight from the file into bulk memory. When the file shrank since it was opened the
    // read stops at the missing byte and the block is never handed out.
    char* dest = room_for(n);
    read_large(dest, n);
    return ByteBlock(std::shared_ptr<const char>(memory_, dest), size);
}

// Room for a block of n bytes in the current bulk memory, or in new bulk memory sized for the
// blocks still to come, never more than the file holds.
char* PofFile::room_for(std::int64_t n) {
    if (n > memory_size_ - memory_used_) {
        memory_size_ = std::max(n, std::min(kBulkMemory, left()));
        memory_ = bulk_memory(static_cast<std::size_t>(memory_size_));
        memory_used_ = 0;
    }
    char* dest = memory_.get() + memory_used_;
    memory_used_ += n;
    return dest;
}

// Past the buffer, the skipped bytes are never read: the next read starts after them. A file
// that shrank meanwhile is found at that read.
void PofFile::skip(std::int64_t n) {
    if (n <= 0) return;
    need(n);
    const std::int64_t to = offset_ + n;
    if (fd_ < 0 || to <= buffer_start_ + data_len_) {
        offset_ = to;
        return;
    }
    offset_ = to;
    buffer_start_ = to;
    data_len_ = 0;
}

std::int32_t PofFile::count(std::int64_t item_bytes) {
    const std::int64_t at = offset_;
    const std::int32_t n = i32();
    if (n > 0 && n > left() / item_bytes) {
        throw ReadError(at, "the count " + std::to_string(n) + " at byte " + std::to_string(at) +
                                " needs more than the " + std::to_string(left()) +
                                " bytes left in the file");
    }
    return n;
}

}  // namespace pof
