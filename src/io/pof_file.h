#pragma once
// Bounds-checked little-endian reads over a POF file, forward only.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "io/byte_block.h"
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
    // Opens a regular file; anything else (a FIFO, a folder, a device) is refused without
    // waiting on it.
    static PofFile open(const std::string& path);
    // Reads a caller-owned buffer that must outlive the PofFile.
    static PofFile from_bytes(std::string_view bytes);
    // The length bytes from begin on of this file (a member of an archive), read as a file of
    // their own over the same open file: offsets count from begin, the span's end is the end;
    // nothing is opened again, and each span reads on its own. Refused with OpenError when
    // they pass the end of this file.
    PofFile span(std::int64_t begin, std::int64_t length) const;
    // Up to n bytes from this file's first byte, leaving the read where it is: the magic,
    // looked at before the file is read as what it says.
    std::string first_bytes(std::int64_t n) const;

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
    // n bytes kept as they stand; large blocks are read straight from the file into memory
    // shared with the other large blocks of this read.
    ByteBlock block(std::int64_t n);
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
    void read_large(char* dest, std::int64_t n);
    void refill();
    void make_buffer();
    char* room_for(std::int64_t n);

    int fd_ = -1;                           // the open file; -1 when the bytes are in memory
    std::shared_ptr<const int> open_file_;  // closes fd_ once no span reads it
    std::int64_t base_ = 0;                 // where offset 0 lies in the file
    std::vector<char> buffer_;
    const char* data_ = nullptr;  // the bytes from buffer_start_ on
    std::int64_t data_len_ = 0;
    std::int64_t buffer_start_ = 0;
    std::int64_t offset_ = 0;
    std::int64_t size_ = 0;
    std::shared_ptr<char> memory_;  // where block() puts the blocks it reads
    std::int64_t memory_used_ = 0;
    std::int64_t memory_size_ = 0;
    std::int64_t refill_size_ = std::int64_t{64} * 1024;  // bytes the next refill asks for
};

}  // namespace pof
