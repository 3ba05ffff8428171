#include "textures/tga_format.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "textures/image_error.h"

namespace textures {

namespace {

constexpr std::size_t kHeader = 18;

// How one stored pixel (or colour map entry) becomes RGBA.
enum class Pixel { Grey, GreyAlpha, Rgb555, Bgr, Bgra };

struct Layout {
    int width = 0, height = 0;
    bool coded = false;   // run-length coded
    bool mapped = false;  // pixels are indices into the colour map
    bool top_first = false;
    Pixel pixel = Pixel::Bgr;     // of a pixel, or of a map entry when mapped
    std::size_t pixel_bytes = 0;  // of a stored pixel (or index)
    std::size_t map_first = 0, map_length = 0, entry_bytes = 0;
    std::size_t map_at = 0;   // where the colour map starts
    std::size_t data_at = 0;  // where the pixels start
};

// The kind of pixel `bits` bits a pixel make; grey images read 16 bits as grey and alpha.
std::optional<Pixel> pixel_of(int bits, bool grey) {
    switch (bits) {
        case 8:
            return Pixel::Grey;
        case 15:
            return Pixel::Rgb555;
        case 16:
            return grey ? Pixel::GreyAlpha : Pixel::Rgb555;
        case 24:
            return Pixel::Bgr;
        case 32:
            return Pixel::Bgra;
        default:
            return std::nullopt;
    }
}

Layout read_header(std::span<const std::uint8_t> start, std::uint64_t file_size) {
    if (start.size() < kHeader) unreadable("the TGA header is cut short");
    Layout l;
    const int map_type = start[1], type = start[2], bits = start[16];
    if (map_type > 1) {
        unreadable("the TGA colour map type is " + std::to_string(map_type) + ", not 0 or 1");
    }
    l.coded = type >= 9;
    const int base = l.coded ? type - 8 : type;
    if (type == 0) unreadable("the TGA file holds no image");
    if (base < 1 || base > 3) {
        unreadable("the TGA image type is " + std::to_string(type) +
                   "; only 1, 2, 3, 9, 10 and 11 are read");
    }
    l.mapped = base == 1;
    if (l.mapped && map_type != 1)
        unreadable("the TGA image is colour-mapped but has no colour map");
    // A true-colour or grey image may carry a colour map it does not use: it is stepped over.
    if (map_type == 1) {
        l.map_first = u16_at(start, 3);
        l.map_length = u16_at(start, 5);
        l.entry_bytes = (start[7] + 7u) / 8;
    }
    if (l.mapped) {
        const int entry_bits = start[7];
        const auto entry = pixel_of(entry_bits, false);
        if (!entry || l.map_length == 0) {
            unreadable("the TGA colour map has no entries or entries of " +
                       std::to_string(entry_bits) + " bits");
        }
        if (bits != 8 && bits != 16) {
            unreadable("the TGA colour map indices are " + std::to_string(bits) +
                       " bits, not 8 or 16");
        }
        l.pixel = *entry;
    } else {
        const auto pixel = pixel_of(bits, base == 3);
        if (!pixel) unreadable("the TGA pixels of " + std::to_string(bits) + " bits are unknown");
        l.pixel = *pixel;
    }
    l.pixel_bytes = (bits + 7u) / 8;
    check_side(u16_at(start, 12), "width");
    check_side(u16_at(start, 14), "height");
    l.width = u16_at(start, 12);
    l.height = u16_at(start, 14);
    l.top_first = (start[17] & 0x20) != 0;
    l.map_at = kHeader + start[0];
    l.data_at = l.map_at + l.map_length * l.entry_bytes;
    // The least the pixels take: every one stored, or one run of at most 128 pixels per
    // pixel size plus one byte when run-length coded. Checked before the image is made.
    const std::uint64_t pixels = std::uint64_t(l.width) * std::uint64_t(l.height);
    const std::uint64_t least =
        l.data_at + (l.coded ? (pixels + 127) / 128 * (1 + l.pixel_bytes) : pixels * l.pixel_bytes);
    if (least > file_size) unreadable("the TGA pixel data is cut short");
    return l;
}

using Rgba = std::array<std::uint8_t, 4>;

Rgba rgba_of(Pixel kind, const std::uint8_t* p) {
    switch (kind) {
        case Pixel::Grey:
            return {p[0], p[0], p[0], 255};
        case Pixel::GreyAlpha:
            return {p[0], p[0], p[0], p[1]};
        case Pixel::Rgb555: {
            const unsigned v = p[0] | p[1] << 8;
            const auto five = [](unsigned c) {
                return static_cast<std::uint8_t>((c & 31) * 255 / 31);
            };
            return {five(v >> 10), five(v >> 5), five(v), 255};
        }
        case Pixel::Bgr:
            return {p[2], p[1], p[0], 255};
        case Pixel::Bgra:
            return {p[2], p[1], p[0], p[3]};
    }
    return {};
}

// Reads pixels one after the other, through the colour map when there is one.
class PixelReader {
  public:
    PixelReader(const Layout& l, std::span<const std::uint8_t> file) : l_(l), file_(file) {
        at_ = l.data_at;
        if (!l.mapped) return;
        map_.reserve(l.map_length);
        for (std::size_t i = 0; i < l.map_length; ++i)
            map_.push_back(rgba_of(l.pixel, &file[l.map_at + i * l.entry_bytes]));
    }
    std::uint8_t byte() {
        if (at_ >= file_.size()) cut();
        return file_[at_++];
    }
    Rgba pixel() {
        if (l_.pixel_bytes > file_.size() - at_) cut();
        const std::uint8_t* p = &file_[at_];
        at_ += l_.pixel_bytes;
        if (!l_.mapped) return rgba_of(l_.pixel, p);
        const std::size_t index = l_.pixel_bytes == 1 ? p[0] : std::size_t(p[0] | p[1] << 8);
        // An index outside the map shows its first entry.
        const bool inside = index >= l_.map_first && index - l_.map_first < map_.size();
        return map_[inside ? index - l_.map_first : 0];
    }

  private:
    [[noreturn]] static void cut() { unreadable("the TGA pixel data is cut short"); }

    const Layout& l_;
    std::span<const std::uint8_t> file_;
    std::size_t at_ = 0;
    std::vector<Rgba> map_;
};

}  // namespace

HeaderFacts probe_tga(std::span<const std::uint8_t> start, std::uint64_t file_size) {
    const Layout l = read_header(start, file_size);
    return {Verdict::Ok, "", "TGA", l.width, l.height};
}

// Runs may cross rows; the image's row 0 is the top row whichever way the file stores them.
DecodedImage decode_tga(std::span<const std::uint8_t> file) {
    const Layout l = read_header(file, file.size());
    DecodedImage out{Verdict::Ok, "", "TGA", Image(l.width, l.height), false};
    PixelReader reader(l, file);
    std::size_t run = 0;  // pixels left in the current packet
    bool repeat = false;
    Rgba colour{};
    for (int y = 0; y < l.height; ++y) {
        std::uint8_t* to = out.image.row(l.top_first ? y : l.height - 1 - y);
        for (int x = 0; x < l.width; ++x, to += 4) {
            if (!l.coded) {
                colour = reader.pixel();
            } else {
                if (run == 0) {
                    const std::uint8_t packet = reader.byte();
                    run = (packet & 127u) + 1;
                    repeat = (packet & 128u) != 0;
                    if (repeat) colour = reader.pixel();
                }
                if (!repeat) colour = reader.pixel();
                --run;
            }
            std::copy(colour.begin(), colour.end(), to);
        }
    }
    out.has_alpha = has_transparency(out.image);
    return out;
}

}  // namespace textures
