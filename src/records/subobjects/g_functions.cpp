#include "records/subobjects/g_functions.h"

#include <bit>
#include <string>

#include "io/little_endian.h"

namespace records {

namespace {

std::string out_of_range_text(std::int64_t index, int width, std::int64_t size) {
    return "a " + std::to_string(width) + "-byte value at byte " + std::to_string(index) +
           " lies outside the " + std::to_string(size) + " bytes of the block";
}

// The bytes index .. index + width - 1, after checking each of them lies in the block.
std::uint32_t little_endian(std::string_view block, std::int64_t index, int width) {
    const auto size = static_cast<std::int64_t>(block.size());
    if (index < 0 || index > size - width) throw OutOfRange(index, width, size);
    const char* at = block.data() + index;
    switch (width) {
        case 1:
            return pof::little_endian<1>(at);
        case 2:
            return pof::little_endian<2>(at);
        default:
            return pof::little_endian<4>(at);
    }
}

}  // namespace

OutOfRange::OutOfRange(std::int64_t index, int width, std::int64_t size)
    : std::out_of_range(out_of_range_text(index, width, size)),
      index_(index),
      width_(width),
      size_(size) {}

float float32_at(std::string_view block, std::int64_t index) {
    return std::bit_cast<float>(little_endian(block, index, 4));
}

std::int32_t int32_at(std::string_view block, std::int64_t index) {
    return static_cast<std::int32_t>(little_endian(block, index, 4));
}

std::int16_t int16_at(std::string_view block, std::int64_t index) {
    return static_cast<std::int16_t>(little_endian(block, index, 2));
}

std::uint8_t byte_at(std::string_view block, std::int64_t index) {
    return static_cast<std::uint8_t>(little_endian(block, index, 1));
}

}  // namespace records
