#pragma once
// Bounds-checked little-endian reads over a POF file, forward only.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "io/vec.h"

namespace pof {

// A read that would pass the end of the file, or a count the bytes left cannot hold.
class ReadError : public std::runtime_error {
  public:
    ReadError(std::int64_t offset, const std::string& what)
        : std::runtime_error(what), offset_(offset) {}
    std::int64_t offset() const { return offset_; }

  private:
    std::int64_t offset_;
};

// The file could not be opened at all.
class OpenError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class PofFile {
  public:
    static PofFile open(const std::string& path);
    // Reads a caller-owned buffer that must outlive the PofFile.
    static PofFile from_bytes(std::string_view bytes);

    PofFile(PofFile&&) noexcept;
    PofFile& operator=(PofFile&&) noexcept;
    ~PofFile();

    std::int64_t size() const { return size_; }
    std::int64_t offset() const { return offset_; }
    std::int64_t left() const { return size_ - offset_; }
    bool eof() const { return offset_ >= size_; }

    std::uint8_t u8();
    std::int32_t i32();
    float f32();
    Vec3 vec();
    // n bytes as they stand; n of 0 or less reads nothing.
    std::string bytes(std::int64_t n);
    void skip(std::int64_t n);

    // Reads a count of items that take at least item_bytes each and refuses, before anything
    // is sized by it, a positive count the bytes left in the file cannot hold.
    std::int32_t count(std::int64_t item_bytes);

  private:
    PofFile() = default;
    void need(std::int64_t n) const;
    template <class Take>
    void read_pieces(std::int64_t n, Take take);
    void read_into(char* dest, std::int64_t n);
    void refill();

    std::FILE* file_ = nullptr;
    std::vector<char> buffer_;
    const char* data_ = nullptr;  // the bytes from buffer_start_ on
    std::int64_t data_len_ = 0;
    std::int64_t buffer_start_ = 0;
    std::int64_t offset_ = 0;
    std::int64_t size_ = 0;
};

}  // namespace pof
