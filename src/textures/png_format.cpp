#include "textures/png_format.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include <png.h>

#include "io/little_endian.h"
#include "textures/image_error.h"

namespace textures {

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
// The signature, then IHDR: its length and type, 13 bytes of data and a CRC.
constexpr std::size_t kHeaderEnd = 8 + 8 + 13 + 4;

// Whether PNG defines the colour type at that bit depth.
bool depth_allowed(int colour_type, int depth) {
    switch (colour_type) {
        case 0:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
        case 3:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8;
        case 2:
        case 4:
        case 6:
            return depth == 8 || depth == 16;
        default:
            return false;
    }
}

// Deflate codes at most 258 bytes in two bits: no IDAT data unpacks to more than 1032 times
// its size. A file whose rows cannot fit in its IDAT data is refused before the image is made.
constexpr std::uint64_t kMostDeflateRatio = 1032;

// The IDAT data the file holds; a chunk cut short counts what is there.
std::uint64_t idat_bytes(std::span<const std::uint8_t> file) {
    std::uint64_t total = 0;
    for (std::size_t pos = 8; file.size() - pos >= 8;) {
        const std::uint64_t length = pof::big_endian<4>(&file[pos]);
        const std::uint64_t left = file.size() - pos - 8;
        if (std::memcmp(&file[pos + 4], "IDAT", 4) == 0) total += std::min(length, left);
        if (length + 4 > left) break;
        pos += 8 + length + 4;
    }
    return total;
}

// The bytes of the rows' samples: a lower bound of what the IDAT data unpacks to.
std::uint64_t sample_bytes(std::uint32_t width, std::uint32_t height, int colour_type, int depth) {
    static constexpr int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
    const std::uint64_t bits = std::uint64_t(width) * kChannels[colour_type] * depth;
    return (bits + 7) / 8 * height;
}

void check_png_side(std::uint32_t side, const char* which) {
    if (side > std::uint32_t(kMaxSide)) unreadable("the PNG image is larger than 8192 pixels");
    check_side(side, which);
}

// Everything libpng's work touches between a setjmp and its longjmp: plain data only, so the
// jump skips no destructor. The caller owns it and the image the rows go into, and gives the
// library's memory back outside any jumping frame.
struct PngRun {
    png_structp png = nullptr;
    png_infop info = nullptr;
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t at = 0;
    bool ran_out = false;  // the file ended where libpng wanted more
    int passes = 1;
    char message[160]{};
};

// libpng's error callback must not return: it keeps the message and jumps back to the
// setjmp of the step that called the library.
void jump_back(png_structp png, png_const_charp message) {
    auto* run = static_cast<PngRun*>(png_get_error_ptr(png));
    std::snprintf(run->message, sizeof run->message, "%s", message);
    png_longjmp(png, 1);
}

// Warnings (a bad ancillary chunk the library skips) are not printed.
void keep_quiet(png_structp, png_const_charp) {}

void read_bytes(png_structp png, png_bytep to, png_size_t n) {
    auto* run = static_cast<PngRun*>(png_get_io_ptr(png));
    if (n > run->size - run->at) {
        run->ran_out = true;
        png_error(png, "the file ends");
    }
    std::memcpy(to, run->data + run->at, n);
    run->at += n;
}

// Each step holds only the run and plain values between its setjmp and the library's calls;
// false when the library gave up (its message is in run.message).

// Reads up to the image data and asks for 8-bit RGBA rows: palettes and grey expanded, a
// tRNS chunk made alpha, 16-bit samples cut to their high byte, an opaque alpha added where
// the file has none. Checksums are not looked at (damage shows in the data itself).
bool read_info(PngRun& run) {
    if (setjmp(png_jmpbuf(run.png))) return false;
    png_set_read_fn(run.png, &run, read_bytes);
    png_set_crc_action(run.png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
    png_set_option(run.png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
    png_read_info(run.png, run.info);
    png_set_expand(run.png);
    png_set_strip_16(run.png);
    png_set_gray_to_rgb(run.png);
    png_set_add_alpha(run.png, 0xff, PNG_FILLER_AFTER);
    run.passes = png_set_interlace_handling(run.png);
    png_read_update_info(run.png, run.info);
    return true;
}

// Every row of every pass into `pixels`, `stride` bytes a row: an interlaced file's passes
// fill the same rows in turn.
bool read_rows(PngRun& run, std::uint8_t* pixels, std::size_t stride, int height) {
    if (setjmp(png_jmpbuf(run.png))) return false;
    for (int pass = 0; pass < run.passes; ++pass) {
        for (int y = 0; y < height; ++y) png_read_row(run.png, pixels + stride * y, nullptr);
    }
    return true;
}

// Owns libpng's structures for one decode.
class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> file) {
        run_.data = file.data();
        run_.size = file.size();
        run_.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &run_, jump_back, keep_quiet);
        if (run_.png) run_.info = png_create_info_struct(run_.png);
        if (!run_.info) unreadable("there is not enough memory to decode it");
    }
    ~Reader() { png_destroy_read_struct(&run_.png, run_.info ? &run_.info : nullptr, nullptr); }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;
    PngRun& run() { return run_; }

    // Why the library gave up, said after the jump.
    [[noreturn]] void failed() const {
        if (run_.ran_out) unreadable("the PNG data ends early");
        const std::string_view message = run_.message;
        if (message == "Not enough image data") unreadable("the PNG image data ends early");
        if (message.starts_with("IDAT: ")) {
            unreadable("bad zlib data in IDAT (" + std::string(message.substr(6)) + ")");
        }
        unreadable("the PNG data is damaged (" + std::string(message) + ")");
    }

  private:
    PngRun run_;
};

}  // namespace

bool is_png(std::span<const std::uint8_t> start) {
    return start.size() >= 8 && std::memcmp(start.data(), kSignature, 8) == 0;
}

HeaderFacts probe_png(std::span<const std::uint8_t> start) {
    if (start.size() < kHeaderEnd) unreadable("the PNG header is cut short");
    const std::uint8_t* ihdr = start.data() + 8;
    if (pof::big_endian<4>(ihdr) != 13 || std::memcmp(ihdr + 4, "IHDR", 4) != 0) {
        unreadable("the PNG file does not start with its IHDR chunk");
    }
    const std::uint8_t* fields = ihdr + 8;
    check_png_side(pof::big_endian<4>(fields), "width");
    check_png_side(pof::big_endian<4>(fields + 4), "height");
    const int depth = fields[8], colour_type = fields[9];
    if (!depth_allowed(colour_type, depth)) {
        unreadable("the PNG colour type " + std::to_string(colour_type) + " at depth " +
                   std::to_string(depth) + " is not one PNG defines");
    }
    if (fields[10] != 0 || fields[11] != 0 || fields[12] > 1) {
        unreadable("the PNG compression, filter or interlace method is unknown");
    }
    return {Verdict::Ok, "", "PNG", static_cast<int>(pof::big_endian<4>(fields)),
            static_cast<int>(pof::big_endian<4>(fields + 4))};
}

// Beside the image libpng keeps a few rows (at most two of 16-bit RGBA) and zlib's window.
DecodedImage decode_png(std::span<const std::uint8_t> file) {
    const HeaderFacts facts = probe_png(file);
    const std::uint8_t* fields = file.data() + 16;
    if (idat_bytes(file) * kMostDeflateRatio <
        sample_bytes(facts.width, facts.height, fields[9], fields[8])) {
        unreadable("the PNG image data is too short for its size");
    }
    Reader reader(file);
    if (!read_info(reader.run())) reader.failed();
    if (png_get_rowbytes(reader.run().png, reader.run().info) != std::size_t(facts.width) * 4) {
        unreadable("the PNG rows do not come out as 8-bit RGBA");
    }
    DecodedImage out{Verdict::Ok, "", "PNG", Image(facts.width, facts.height), false};
    if (!read_rows(reader.run(), out.image.row(0), std::size_t(facts.width) * 4, facts.height)) {
        reader.failed();
    }
    out.has_alpha = has_transparency(out.image);
    return out;
}

}  // namespace textures
