#pragma once
// Width little-endian bytes as an unsigned number. The caller has checked that the bytes are
// there: every reader of file bytes and BSP data goes through this one.

#include <bit>
#include <cstdint>
#include <cstring>

namespace pof {

template <int Width>
std::uint32_t little_endian(const char* p) {
    static_assert(Width >= 1 && Width <= 4);
    std::uint32_t v = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&v, p, Width);
    } else {
        for (int i = Width - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(p[i]);
    }
    return v;
}

}  // namespace pof
