#include "textures/dds.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

#include "io/little_endian.h"
#include "textures/dxt.h"
#include "textures/image_error.h"

namespace textures {

namespace {

// The magic, then a 124-byte header holding a 32-byte pixel format; the largest mipmap
// follows at once.
constexpr std::size_t kHeaderEnd = 128;
constexpr std::size_t kHeight = 12, kWidth = 16, kDepth = 24;
constexpr std::size_t kFormatFlags = 80, kFourCc = 84, kBitCount = 88, kMasks = 92;
constexpr std::size_t kFlags = 8, kCaps2 = 112, kMipMapCount = 28;

constexpr std::uint32_t kFlagDepth = 0x800000;  // DDSD_DEPTH
constexpr std::uint32_t kCubeMap = 0x200;       // DDSCAPS2_CUBEMAP
constexpr std::uint32_t kVolume = 0x200000;     // DDSCAPS2_VOLUME
constexpr std::uint32_t kAlphaPixels = 0x1;     // DDPF_ALPHAPIXELS
constexpr std::uint32_t kFourCcFlag = 0x4;      // DDPF_FOURCC
constexpr std::uint32_t kRgb = 0x40;            // DDPF_RGB
constexpr std::uint32_t kLuminance = 0x20000;   // DDPF_LUMINANCE

// How the largest mipmap's pixels are stored.
struct Layout {
    std::string format;
    int width = 0;
    int height = 0;
    bool compressed = false;
    DxtCoding coding = DxtCoding::Dxt1;
    int pixel_bytes = 0;                    // uncompressed: 3 or 4
    std::uint32_t masks[4] = {0, 0, 0, 0};  // R, G, B, A; uncompressed only
    std::uint64_t data_bytes = 0;
};

std::string four_cc_text(std::uint32_t code) {
    std::string text;
    for (int i = 0; i < 4; ++i) {
        const char c = static_cast<char>((code >> (8 * i)) & 255);
        text += c >= 0x20 && c < 0x7f ? c : '?';
    }
    return text;
}

void read_compression(std::uint32_t four_cc, Layout& l) {
    const std::string code = four_cc_text(four_cc);
    if (code == "DX10") not_supported("the DX10 header is not supported");
    if (code != "DXT1" && code != "DXT3" && code != "DXT5") {
        not_supported("the DDS compression \"" + code + "\" is not supported");
    }
    l.compressed = true;
    l.coding = code == "DXT1"   ? DxtCoding::Dxt1
               : code == "DXT3" ? DxtCoding::Dxt3
                                : DxtCoding::Dxt5;
    l.format = "DDS " + code;
}

// A channel mask must be one run of bits inside the pixel.
void check_mask(std::uint32_t mask, int bits) {
    if (mask == 0) return;
    const std::uint32_t run = mask >> std::countr_zero(mask);
    if ((run & (run + 1)) != 0) unreadable("a DDS channel mask is not one run of bits");
    if (bits < 32 && (mask >> bits) != 0) unreadable("a DDS channel mask lies past the pixel");
}

void read_masks(std::span<const std::uint8_t> h, std::uint32_t flags, Layout& l) {
    const std::uint32_t bits = u32_at(h, kBitCount);
    if (bits != 24 && bits != 32) {
        not_supported(std::to_string(bits) + "-bit DDS colour is not supported");
    }
    l.pixel_bytes = static_cast<int>(bits / 8);
    for (int c = 0; c < 4; ++c) l.masks[c] = u32_at(h, kMasks + 4 * std::size_t(c));
    if ((flags & kAlphaPixels) == 0) l.masks[3] = 0;
    for (const std::uint32_t mask : l.masks) check_mask(mask, static_cast<int>(bits));
    if (l.masks[0] == 0 && l.masks[1] == 0 && l.masks[2] == 0) {
        unreadable("the DDS colour masks are all zero");
    }
    l.format = "DDS " + std::to_string(bits) + "-bit";
}

void read_pixel_format(std::span<const std::uint8_t> h, Layout& l) {
    const std::uint32_t flags = u32_at(h, kFormatFlags);
    if (flags & kFourCcFlag) {
        read_compression(u32_at(h, kFourCc), l);
    } else if (flags & kRgb) {
        read_masks(h, flags, l);
    } else if (flags & kLuminance) {
        not_supported("luminance DDS images are not supported");
    } else {
        not_supported("this DDS pixel format is not supported");
    }
}

void refuse_cube_and_volume(std::span<const std::uint8_t> h) {
    const std::uint32_t caps2 = u32_at(h, kCaps2);
    if (caps2 & kCubeMap) not_supported("cube maps are not supported");
    const bool deep = (u32_at(h, kFlags) & kFlagDepth) != 0 && u32_at(h, kDepth) > 1;
    if ((caps2 & kVolume) || deep) not_supported("volume textures are not supported");
}

Layout read_header(std::span<const std::uint8_t> start, std::uint64_t file_size) {
    if (start.size() < kHeaderEnd) {
        unreadable("the DDS header is cut short (" + std::to_string(start.size()) +
                   " of 128 bytes)");
    }
    if (u32_at(start, 4) != 124) {
        unreadable("the DDS header gives its size as " + std::to_string(u32_at(start, 4)) +
                   " bytes, not 124");
    }
    refuse_cube_and_volume(start);
    Layout l;
    read_pixel_format(start, l);
    check_side(u32_at(start, kWidth), "width");
    check_side(u32_at(start, kHeight), "height");
    l.width = static_cast<int>(u32_at(start, kWidth));
    l.height = static_cast<int>(u32_at(start, kHeight));
    l.data_bytes = l.compressed ? dxt_bytes(l.coding, l.width, l.height)
                                : std::uint64_t(l.width) * std::uint64_t(l.height) *
                                      std::uint64_t(l.pixel_bytes);
    if (file_size < kHeaderEnd || l.data_bytes > file_size - kHeaderEnd) {
        const std::uint64_t there = file_size < kHeaderEnd ? 0 : file_size - kHeaderEnd;
        unreadable("the DDS image data is cut short (" + std::to_string(there) + " of " +
                   std::to_string(l.data_bytes) + " bytes)");
    }
    return l;
}

// One channel of a pixel widened or narrowed to 8 bits; `fill` when the mask is empty.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t top = 0;  // the channel's largest value
    std::uint8_t fill = 0;

    Channel(std::uint32_t m, std::uint8_t missing) : mask(m), fill(missing) {
        if (mask == 0) return;
        shift = std::countr_zero(mask);
        top = mask >> shift;
    }
    std::uint8_t operator()(std::uint32_t pixel) const {
        if (mask == 0) return fill;
        const std::uint64_t v = (pixel & mask) >> shift;
        return static_cast<std::uint8_t>((v * 255 + top / 2) / top);
    }
};

bool decode_masked(const Layout& l, const std::uint8_t* p, Image& image) {
    const Channel r(l.masks[0], 0), g(l.masks[1], 0), b(l.masks[2], 0), a(l.masks[3], 255);
    std::uint8_t opaque = 255;
    for (int y = 0; y < image.height(); ++y) {
        std::uint8_t* out = image.row(y);
        for (int x = 0; x < image.width(); ++x, p += l.pixel_bytes, out += 4) {
            const std::uint32_t pixel =
                l.pixel_bytes == 4 ? pof::little_endian<4>(p) : pof::little_endian<3>(p);
            out[0] = r(pixel), out[1] = g(pixel), out[2] = b(pixel), out[3] = a(pixel);
            opaque &= out[3];
        }
    }
    return opaque != 255;
}

}  // namespace

bool is_dds(std::span<const std::uint8_t> start) {
    return start.size() >= 4 && std::memcmp(start.data(), "DDS ", 4) == 0;
}

HeaderFacts probe_dds(std::span<const std::uint8_t> start, std::uint64_t file_size) {
    const Layout l = read_header(start, file_size);
    return {Verdict::Ok, "", l.format, l.width, l.height};
}

DecodedImage decode_dds(std::span<const std::uint8_t> file) {
    const Layout l = read_header(file, file.size());
    DecodedImage out{Verdict::Ok, "", l.format, Image(l.width, l.height), false};
    const auto data = file.subspan(kHeaderEnd, l.data_bytes);
    out.has_alpha = l.compressed ? decode_dxt(l.coding, data, out.image)
                                 : decode_masked(l, data.data(), out.image);
    return out;
}

}  // namespace textures

namespace textures {

std::optional<StoredDxt> stored_dxt(std::span<const std::uint8_t> file) {
    const Layout l = read_header(file, file.size());
    if (!l.compressed) return std::nullopt;
    StoredDxt out{l.coding, l.format, {}};
    const std::uint32_t count = std::max<std::uint32_t>(1, u32_at(file, kMipMapCount));
    std::size_t offset = kHeaderEnd;
    int width = l.width, height = l.height;
    for (std::uint32_t level = 0; level < count; ++level) {
        const std::uint64_t bytes = dxt_bytes(l.coding, width, height);
        if (bytes > file.size() - offset) break;  // the first level is known to be whole
        out.levels.push_back({width, height, offset, static_cast<std::size_t>(bytes)});
        offset += static_cast<std::size_t>(bytes);
        if (width == 1 && height == 1) break;
        width = std::max(1, width / 2);
        height = std::max(1, height / 2);
    }
    return out;
}

}  // namespace textures
