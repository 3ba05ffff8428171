#include "io/pof_file.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

namespace pof {

namespace {
constexpr std::int64_t kBufferSize = std::int64_t{64} * 1024;

std::int32_t little_endian_i32(const unsigned char* b) {
    const std::uint32_t u = std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 |
                            std::uint32_t{b[2]} << 16 | std::uint32_t{b[3]} << 24;
    return static_cast<std::int32_t>(u);
}
}  // namespace

PofFile PofFile::open(const std::string& path) {
    std::error_code ec;
    // Looked at before it is opened: opening a FIFO with no writer would wait for one for
    // ever, and a device or socket is no model file either.
    const auto status = std::filesystem::status(path, ec);
    if (!ec && !std::filesystem::is_regular_file(status)) {
        throw OpenError(path + ": not a regular file");
    }
    PofFile f;
    f.file_ = std::fopen(path.c_str(), "rb");
    if (!f.file_) throw OpenError(path + ": " + std::strerror(errno));
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) throw OpenError(path + ": " + ec.message());
    f.size_ = static_cast<std::int64_t>(size);
    f.buffer_.resize(kBufferSize);
    f.data_ = f.buffer_.data();
    return f;
}

PofFile PofFile::from_bytes(std::string_view bytes) {
    PofFile f;
    f.data_ = bytes.data();
    f.data_len_ = static_cast<std::int64_t>(bytes.size());
    f.size_ = f.data_len_;
    return f;
}

PofFile::PofFile(PofFile&& other) noexcept {
    *this = std::move(other);
}

PofFile& PofFile::operator=(PofFile&& other) noexcept {
    if (this == &other) return *this;
    if (file_) std::fclose(file_);
    file_ = std::exchange(other.file_, nullptr);
    const bool owns_buffer = !other.buffer_.empty();
    buffer_ = std::move(other.buffer_);
    data_ = owns_buffer ? buffer_.data() : other.data_;
    data_len_ = other.data_len_;
    buffer_start_ = other.buffer_start_;
    offset_ = other.offset_;
    size_ = other.size_;
    return *this;
}

PofFile::~PofFile() {
    if (file_) std::fclose(file_);
}

void PofFile::need(std::int64_t n) const {
    if (n > size_ - offset_) {
        throw ReadError(offset_, "a read of " + std::to_string(n) + " bytes at byte " +
                                     std::to_string(offset_) + " passes the end of the file (" +
                                     std::to_string(size_) + " bytes)");
    }
}

void PofFile::refill() {
    buffer_start_ += data_len_;
    data_len_ = static_cast<std::int64_t>(std::fread(buffer_.data(), 1, buffer_.size(), file_));
    if (data_len_ == 0) {
        // The file shrank after it was opened.
        throw ReadError(offset_, "the file ends early at byte " + std::to_string(offset_));
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
    unsigned char b[4];
    read_into(reinterpret_cast<char*>(b), 4);
    return little_endian_i32(b);
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
    // Appended piece by piece into reserved room: a subobject's BSP data of megabytes is
    // written once, not zeroed first.
    std::string out;
    out.reserve(static_cast<std::size_t>(n));
    read_pieces(n, [&out](const char* from, std::int64_t count) {
        out.append(from, static_cast<std::size_t>(count));
    });
    return out;
}

void PofFile::skip(std::int64_t n) {
    if (n > 0) read_pieces(n, [](const char*, std::int64_t) {});
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
