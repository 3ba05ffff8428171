#pragma once
// What the decoders throw inside this floor, and the little-endian reads they make; the
// public functions of decode.h turn the error into a verdict and its reason.

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

#include "io/little_endian.h"
#include "textures/decode.h"

namespace textures {

class ImageError : public std::runtime_error {
  public:
    ImageError(Verdict verdict, const std::string& reason)
        : std::runtime_error(reason), verdict_(verdict) {}
    Verdict verdict() const { return verdict_; }

  private:
    Verdict verdict_;
};

[[noreturn]] inline void unreadable(const std::string& reason) {
    throw ImageError(Verdict::Unreadable, reason);
}
[[noreturn]] inline void not_supported(const std::string& reason) {
    throw ImageError(Verdict::NotSupported, reason);
}

// Little-endian fields at fixed offsets of a header the caller has checked is long enough.
inline std::uint16_t u16_at(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(pof::little_endian<2>(&b[at]));
}
inline std::uint32_t u32_at(std::span<const std::uint8_t> b, std::size_t at) {
    return pof::little_endian<4>(&b[at]);
}

// Refuses a side outside 1 .. kMaxSide, naming it ("width", "height").
void check_side(std::int64_t side, const char* which);

}  // namespace textures
