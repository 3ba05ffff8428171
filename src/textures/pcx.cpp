#include "textures/pcx.h"

#include <algorithm>
#include <string>
#include <vector>

#include "textures/image_error.h"

namespace textures {

namespace {

constexpr std::size_t kHeaderBytes = 128;
constexpr std::size_t kPaletteBytes = 769;  // the marker byte 12, then 256 x RGB
constexpr std::uint8_t kPaletteMarker = 12;
constexpr std::uint64_t kLongestRun = 63;  // a run byte 0xC0 | n repeats the next byte n times

struct Layout {
    int width = 0;
    int height = 0;
    int planes = 0;              // 1: palette indices, 3: red, green, blue
    std::size_t line_bytes = 0;  // per plane
    std::uint64_t data_end = 0;  // where the coded pixels end
    std::string format;
};

void read_planes(std::span<const std::uint8_t> h, Layout& l) {
    const int bits = h[3], planes = h[65];
    if (bits != 8 || (planes != 1 && planes != 3)) {
        not_supported("PCX images of " + std::to_string(bits) + "-bit pixels in " +
                      std::to_string(planes) + (planes == 1 ? " plane" : " planes") +
                      " are not supported");
    }
    l.planes = planes;
    l.format = planes == 1 ? "PCX 8-bit" : "PCX 24-bit";
}

void read_window(std::span<const std::uint8_t> h, Layout& l) {
    const int x0 = u16_at(h, 4), y0 = u16_at(h, 6), x1 = u16_at(h, 8), y1 = u16_at(h, 10);
    if (x1 < x0 || y1 < y0) unreadable("the PCX image window ends before it starts");
    check_side(x1 - x0 + 1, "width");
    check_side(y1 - y0 + 1, "height");
    l.width = x1 - x0 + 1;
    l.height = y1 - y0 + 1;
    l.line_bytes = u16_at(h, 66);
    if (l.line_bytes < std::size_t(l.width)) {
        unreadable("the PCX lines hold " + std::to_string(l.line_bytes) +
                   " bytes, fewer than the width of " + std::to_string(l.width));
    }
}

// The coded pixels must be able to give every line: a run of two bytes gives at most 63.
void check_data_length(const Layout& l) {
    const std::uint64_t coded = l.data_end - kHeaderBytes;
    const std::uint64_t needed = std::uint64_t(l.height) * std::uint64_t(l.planes) * l.line_bytes;
    if (needed > (coded / 2 + 1) * kLongestRun) {
        unreadable("the PCX pixel data is too short for " + std::to_string(l.width) + " x " +
                   std::to_string(l.height) + " pixels");
    }
}

Layout read_header(std::span<const std::uint8_t> start, std::uint64_t file_size) {
    if (start.size() < kHeaderBytes) {
        unreadable("the PCX header is cut short (" + std::to_string(start.size()) +
                   " of 128 bytes)");
    }
    Layout l;
    read_planes(start, l);
    read_window(start, l);
    const std::uint64_t tail = l.planes == 1 ? kPaletteBytes : 0;
    if (file_size < kHeaderBytes || tail > file_size - kHeaderBytes) {
        unreadable("the 256-colour palette is missing (the file ends before it)");
    }
    l.data_end = file_size - tail;
    check_data_length(l);
    return l;
}

// The run-length coded bytes, read one line at a time; a run may go on into the next line.
class Runs {
  public:
    Runs(std::span<const std::uint8_t> coded) : coded_(coded) {}

    // Fills `line`; false when the coded bytes end first.
    bool fill(std::vector<std::uint8_t>& line) {
        std::size_t at = 0;
        while (at < line.size()) {
            if (left_ == 0 && !next_run()) return false;
            const std::size_t n = std::min(left_, line.size() - at);
            std::fill_n(line.begin() + static_cast<std::ptrdiff_t>(at), n, value_);
            at += n;
            left_ -= n;
        }
        return true;
    }

  private:
    bool next_run() {
        if (pos_ >= coded_.size()) return false;
        const std::uint8_t b = coded_[pos_++];
        if ((b & 0xC0) != 0xC0) {
            value_ = b, left_ = 1;
            return true;
        }
        if (pos_ >= coded_.size()) return false;
        value_ = coded_[pos_++], left_ = b & 0x3F;
        return true;
    }

    std::span<const std::uint8_t> coded_;
    std::size_t pos_ = 0;
    std::size_t left_ = 0;  // bytes of the current run not yet given
    std::uint8_t value_ = 0;
};

void paletted_row(const std::vector<std::uint8_t>& line, const std::uint8_t* palette,
                  std::uint8_t* out, int width) {
    for (int x = 0; x < width; ++x, out += 4) {
        const std::uint8_t* rgb = palette + 3 * std::size_t(line[std::size_t(x)]);
        out[0] = rgb[0], out[1] = rgb[1], out[2] = rgb[2], out[3] = 255;
    }
}

void planar_row(const std::vector<std::uint8_t>& line, std::size_t plane, std::uint8_t* out,
                int width) {
    for (std::size_t x = 0; x < std::size_t(width); ++x, out += 4) {
        out[0] = line[x], out[1] = line[plane + x], out[2] = line[2 * plane + x], out[3] = 255;
    }
}

}  // namespace

bool is_pcx(std::span<const std::uint8_t> start) {
    return start.size() >= 3 && start[0] == 10 && start[2] == 1 &&
           (start[1] == 0 || (start[1] >= 2 && start[1] <= 5));
}

HeaderFacts probe_pcx(std::span<const std::uint8_t> start, std::uint64_t file_size) {
    const Layout l = read_header(start, file_size);
    return {Verdict::Ok, "", l.format, l.width, l.height};
}

DecodedImage decode_pcx(std::span<const std::uint8_t> file) {
    const Layout l = read_header(file, file.size());
    if (l.planes == 1 && file[l.data_end] != kPaletteMarker) {
        unreadable(
            "the 256-colour palette is missing (no marker byte 12 before the last 768 "
            "bytes)");
    }
    const std::uint8_t* palette = l.planes == 1 ? file.data() + l.data_end + 1 : nullptr;
    DecodedImage out{Verdict::Ok, "", l.format, Image(l.width, l.height), false};
    Runs runs(file.subspan(kHeaderBytes, l.data_end - kHeaderBytes));
    std::vector<std::uint8_t> line(l.line_bytes * std::size_t(l.planes));
    for (int y = 0; y < l.height; ++y) {
        if (!runs.fill(line)) {
            unreadable("the PCX pixel data ends in row " + std::to_string(y) + " of " +
                       std::to_string(l.height));
        }
        if (l.planes == 1) {
            paletted_row(line, palette, out.image.row(y), l.width);
        } else {
            planar_row(line, l.line_bytes, out.image.row(y), l.width);
        }
    }
    return out;
}

}  // namespace textures
