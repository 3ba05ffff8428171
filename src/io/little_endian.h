#pragma once
// Width bytes as an unsigned number, least significant first (file fields) or most significant
// first (PNG chunk lengths, packed RGBA). The caller has checked that the bytes are there: every
// reader of file, archive, image and BSP bytes goes through these.

#include <bit>
#include <concepts>
#include <cstdint>
#include <cstring>

namespace pof {

template <class T>
concept Byte = sizeof(T) == 1 && std::integral<T>;

template <int Width, Byte B>
std::uint32_t little_endian(const B* p) {
    static_assert(Width >= 1 && Width <= 4);
    std::uint32_t v = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&v, p, Width);
    } else {
        for (int i = Width - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(p[i]);
    }
    return v;
}

template <int Width, Byte B>
std::uint32_t big_endian(const B* p) {
    static_assert(Width >= 1 && Width <= 4);
    std::uint32_t v = 0;
    for (int i = 0; i < Width; ++i) v = v << 8 | static_cast<unsigned char>(p[i]);
    return v;
}

}  // namespace pof
