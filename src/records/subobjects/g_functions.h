#pragma once
// Numbers out of a byte block (a subobject's BSP data, or one block of it), little-endian.
// Every byte index is checked first: an index outside the block throws OutOfRange and nothing
// is read.

#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace records {

class OutOfRange : public std::out_of_range {
  public:
    OutOfRange(std::int64_t index, int width, std::int64_t size);
    std::int64_t index() const { return index_; }
    int width() const { return width_; }
    std::int64_t size() const { return size_; }

  private:
    std::int64_t index_;
    int width_;          // bytes the read wanted
    std::int64_t size_;  // bytes the block holds
};

float float32_at(std::string_view block, std::int64_t index);
std::int32_t int32_at(std::string_view block, std::int64_t index);
std::int16_t int16_at(std::string_view block, std::int64_t index);
// A single byte, unsigned (0 .. 255).
std::uint8_t byte_at(std::string_view block, std::int64_t index);

}  // namespace records
