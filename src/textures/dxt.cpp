#include "textures/dxt.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "io/little_endian.h"

namespace textures {

namespace {

// Pixels are built as 32-bit words and stored as their bytes R, G, B, A.
static_assert(std::endian::native == std::endian::little);

using Palette = std::array<std::uint32_t, 8>;

constexpr std::uint32_t kAlpha = 0xff000000u;

using pof::little_endian;

struct Rgb {
    std::uint32_t r, g, b;
};

// A 5:6:5 colour, each channel widened to 8 bits by repeating its top bits.
Rgb widen(std::uint32_t c) {
    const std::uint32_t r = (c >> 11) & 31, g = (c >> 5) & 63, b = c & 31;
    return {r << 3 | r >> 2, g << 2 | g >> 4, b << 3 | b >> 2};
}

std::uint32_t pack(Rgb c) {
    return c.r | c.g << 8 | c.b << 16;
}

// (a * wa + b * wb) / (wa + wb) per channel.
template <std::uint32_t Wa, std::uint32_t Wb>
std::uint32_t mix(Rgb a, Rgb b) {
    constexpr std::uint32_t w = Wa + Wb;
    return pack({(a.r * Wa + b.r * Wb) / w, (a.g * Wa + b.g * Wb) / w, (a.b * Wa + b.b * Wb) / w});
}

// The colour half of a block: two 5:6:5 end points, then sixteen 2-bit indices. A DXT1 block
// whose first end point is not above the second has three colours and transparent black;
// DXT3 and DXT5 always have four. Entries carry no alpha unless `opaque`.
void colour_palette(const std::uint8_t* p, bool dxt1, std::uint32_t* palette) {
    const std::uint32_t c0 = little_endian<2>(p), c1 = little_endian<2>(p + 2);
    const Rgb a = widen(c0), b = widen(c1);
    const std::uint32_t alpha = dxt1 ? kAlpha : 0;
    palette[0] = pack(a) | alpha;
    palette[1] = pack(b) | alpha;
    if (c0 > c1 || !dxt1) {
        palette[2] = mix<2, 1>(a, b) | alpha;
        palette[3] = mix<1, 2>(a, b) | alpha;
    } else {
        palette[2] = mix<1, 1>(a, b) | alpha;
        palette[3] = 0;
    }
}

// DXT5's alpha half: two end points, then sixteen 3-bit indices into eight alphas between
// them (six between and 0 and 255 when the first is not above the second).
void alpha_palette(const std::uint8_t* p, Palette& alpha) {
    const std::uint32_t a0 = p[0], a1 = p[1];
    alpha[0] = a0, alpha[1] = a1;
    if (a0 > a1) {
        for (std::uint32_t i = 1; i < 7; ++i) alpha[i + 1] = (a0 * (7 - i) + a1 * i) / 7;
    } else {
        for (std::uint32_t i = 1; i < 5; ++i) alpha[i + 1] = (a0 * (5 - i) + a1 * i) / 5;
        alpha[6] = 0, alpha[7] = 255;
    }
    for (auto& a : alpha) a <<= 24;
}

using Block = std::array<std::uint32_t, 16>;  // RGBA words, row by row

// Decodes one block. Each pixel's index is shifted out on its own, not from a running
// shift, so the sixteen lookups do not wait on each other.
template <DxtCoding Coding>
void decode_block(const std::uint8_t* p, Block& out) {
    std::uint32_t colours[4];
    colour_palette(Coding == DxtCoding::Dxt1 ? p : p + 8, Coding == DxtCoding::Dxt1, colours);
    const std::uint32_t ci = little_endian<4>(Coding == DxtCoding::Dxt1 ? p + 4 : p + 12);
    if constexpr (Coding == DxtCoding::Dxt1) {
        for (int i = 0; i < 16; ++i) out[i] = colours[(ci >> (2 * i)) & 3];
    } else if constexpr (Coding == DxtCoding::Dxt3) {
        // Sixteen explicit 4-bit alphas, widened to 8 bits.
        const std::uint64_t ai =
            std::uint64_t{little_endian<4>(p)} | std::uint64_t{little_endian<4>(p + 4)} << 32;
        for (int i = 0; i < 16; ++i) {
            out[i] = colours[(ci >> (2 * i)) & 3] | std::uint32_t((ai >> (4 * i)) & 15) * 17 << 24;
        }
    } else {
        Palette alpha;
        alpha_palette(p, alpha);
        const std::uint64_t ai =
            std::uint64_t{little_endian<4>(p + 2)} | std::uint64_t{little_endian<2>(p + 6)} << 32;
        for (int i = 0; i < 16; ++i)
            out[i] = colours[(ci >> (2 * i)) & 3] | alpha[(ai >> (3 * i)) & 7];
    }
}

// Copies the part of a block that lies inside the image (all of it but at the right and
// bottom edges); returns the AND of the pixels copied, whose alpha is 255 only when all are
// opaque.
std::uint32_t place(const Block& block, std::uint8_t* const* rows, int x, int columns, int count) {
    std::uint32_t all = ~0u;
    const std::size_t at = std::size_t(x) * 4;
    if (columns == 4 && count == 4) {
        for (std::size_t r = 0; r < 4; ++r) std::memcpy(rows[r] + at, &block[4 * r], 16);
        for (const std::uint32_t pixel : block) all &= pixel;
        return all;
    }
    for (std::size_t r = 0; r < std::size_t(count); ++r) {
        std::memcpy(rows[r] + at, &block[4 * r], std::size_t(columns) * 4);
        for (std::size_t c = 0; c < std::size_t(columns); ++c) all &= block[4 * r + c];
    }
    return all;
}

template <DxtCoding Coding>
bool decode_blocks(const std::uint8_t* p, Image& image) {
    constexpr std::size_t step = Coding == DxtCoding::Dxt1 ? 8 : 16;
    std::uint32_t all = ~0u;
    Block block;
    for (int y = 0; y < image.height(); y += 4) {
        const int count = std::min(4, image.height() - y);
        std::uint8_t* rows[4];
        for (int r = 0; r < 4; ++r) rows[r] = image.row(y + std::min(r, count - 1));
        for (int x = 0; x < image.width(); x += 4, p += step) {
            decode_block<Coding>(p, block);
            all &= place(block, rows, x, std::min(4, image.width() - x), count);
        }
    }
    return (all >> 24) != 255;
}

}  // namespace

int dxt_block_bytes(DxtCoding coding) {
    return coding == DxtCoding::Dxt1 ? 8 : 16;
}

std::uint64_t dxt_bytes(DxtCoding coding, int width, int height) {
    const std::uint64_t across = (std::uint64_t(width) + 3) / 4;
    const std::uint64_t down = (std::uint64_t(height) + 3) / 4;
    return across * down * std::uint64_t(dxt_block_bytes(coding));
}

bool decode_dxt(DxtCoding coding, std::span<const std::uint8_t> blocks, Image& image) {
    switch (coding) {
        case DxtCoding::Dxt1:
            return decode_blocks<DxtCoding::Dxt1>(blocks.data(), image);
        case DxtCoding::Dxt3:
            return decode_blocks<DxtCoding::Dxt3>(blocks.data(), image);
        case DxtCoding::Dxt5:
            return decode_blocks<DxtCoding::Dxt5>(blocks.data(), image);
    }
    return false;
}

bool dxt1_transparent(std::span<const std::uint8_t> blocks) {
    for (std::size_t at = 0; at + 8 <= blocks.size(); at += 8) {
        const std::uint8_t* p = blocks.data() + at;
        if (little_endian<2>(p) > little_endian<2>(p + 2)) continue;
        const std::uint32_t indices = little_endian<4>(p + 4);
        // An index of 3 has both of its bits set.
        if ((indices & (indices >> 1) & 0x55555555u) != 0) return true;
    }
    return false;
}

}  // namespace textures
