// Writes the seed corpora of the image fuzz targets: small DDS, PCX and PNG, JPEG and TGA
// files of every coding the decoders know, the sample's textures, and the damaged and refused
// forms the decoders must survive. Run by hand when the seeds should follow a new coding
// (make_image_corpus fuzz); its output, fuzz/corpus-dds, corpus-pcx and corpus-stb, is kept
// in the repository.

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "pof_builder.h"
#include "sample_textures.h"
#include "texture_writers.h"

namespace {

using testing_pof::Bytes;
using testing_pof::RgbaPixels;
using Seeds = std::vector<std::pair<std::string, std::string>>;

// A small picture with a gradient, a hard edge and varying alpha.
RgbaPixels picture(int width, int height) {
    RgbaPixels image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto r = std::uint32_t(x * 255 / width), g = std::uint32_t(y * 255 / height);
            image.set(x, y, r << 24 | g << 16 | (x < width / 2 ? 0x4000u : 0xc000u) | (r ^ g));
        }
    }
    return image;
}

std::string cut(const std::string& file, std::size_t keep) {
    return file.substr(0, std::min(keep, file.size()));
}

Seeds dds_seeds() {
    const std::uint32_t bgra[4] = {0xff0000, 0xff00, 0xff, 0xff000000u};
    const std::uint32_t bgr[4] = {0xff0000, 0xff00, 0xff, 0};
    std::string rgba32 = testing_pof::dds_header(4, 3, 32, bgra);
    std::string rgb24 = testing_pof::dds_header(5, 2, 24, bgr);
    for (int i = 0; i < 48; ++i) rgba32 += char(i * 5);
    for (int i = 0; i < 30; ++i) rgb24 += char(i * 7);
    const std::string dxt1 = testing_pof::dds_file(picture(8, 8), false);
    const auto samples = testing_pof::sample_textures();
    return {
        {"dxt1", dxt1},
        {"dxt1-odd-size", testing_pof::dds_file(picture(5, 3), false)},
        {"dxt5", testing_pof::dds_file(picture(8, 4), true)},
        {"dxt3", testing_pof::dds_header(4, 4, "DXT3") + std::string(16, '\x5a')},
        {"rgba32", rgba32},
        {"rgb24", rgb24},
        {"cube-map", testing_pof::dds_header(4, 4, "DXT1", 0xfe00) + std::string(48, '\0')},
        {"volume", testing_pof::dds_header(4, 4, "DXT1", 0x200000) + std::string(8, '\0')},
        {"dx10", testing_pof::dds_header(4, 4, "DX10") + std::string(36, '\0')},
        {"cut-short", cut(dxt1, 140)},
        {"header-cut", cut(dxt1, 90)},
        {"sample-hull", samples[0].bytes},
        {"sample-turret", samples[1].bytes},
    };
}

Seeds pcx_seeds() {
    RgbaPixels few(7, 5);
    for (int i = 0; i < 35; ++i) few.set(i % 7, i / 7, std::uint32_t(i % 4) * 0x40302000u | 0xff);
    const std::string pcx8 = testing_pof::pcx8_file(few);
    std::string no_marker = pcx8;
    no_marker[no_marker.size() - 769] = 0;
    return {
        {"pcx8", pcx8},
        {"pcx24", testing_pof::pcx24_file(picture(6, 4))},
        {"pcx8-no-marker", no_marker},
        {"pcx8-no-palette", cut(pcx8, pcx8.size() - 769)},
        {"pcx24-cut", cut(testing_pof::pcx24_file(picture(6, 4)), 140)},
        {"sample-debris", testing_pof::sample_textures()[3].bytes},
    };
}

// 32-bit TGA pixels, uncoded or run-length coded, rows upward or downward.
std::string tga(bool coded, bool top_first) {
    Bytes b = Bytes().u8(0).u8(0).u8(coded ? 10 : 2).raw(std::string(9, '\0'));
    b.i16(4).i16(2).u8(32).u8(top_first ? 0x28 : 0x08);
    if (coded)
        return b.u8(0x83).raw("\x10\x20\x30\xff").u8(0x03).raw(std::string(16, '\x7f')).str();
    for (int i = 0; i < 8; ++i) b.u8(std::uint8_t(i * 30)).u8(7).u8(99).u8(200);
    return b.str();
}

// The JPEG with its first Huffman table's sixteen code counts raised to 32 each: 512 codes,
// which stb_image 2.27 would write past its table for.
std::string too_many_codes(std::string jpg) {
    const auto at = jpg.find("\xff\xc4");
    for (std::size_t i = 0; i < 16; ++i) jpg[at + 5 + i] = 32;
    return jpg;
}

// The PNG with its IDAT chunk declaring 2^31 - 1 bytes: stb_image 2.27 would size a buffer
// by that length before finding the bytes are not there.
std::string idat_past_the_end(std::string png) {
    const auto at = png.find("IDAT") - 4;
    png.replace(at, 4, "\x7f\xff\xff\xff");
    return png;
}

// A 3 x 2 PNG of 16-bit RGBA and a 5 x 3 interlaced one of 8-bit grey: the decoder's depth
// and pass handling.
std::string png_16_bit() {
    std::string rows;
    for (int y = 0; y < 2; ++y) {
        rows += '\0';
        for (int i = 0; i < 3 * 4 * 2; ++i) rows += static_cast<char>(y * 40 + i * 9);
    }
    return testing_pof::png_raw(3, 2, 16, 6, false, rows);
}
std::string png_interlaced() {
    // Adam7's passes of 5 x 3: 1, 1, 0, 1, 3 (row 2), 2 + 2 (rows 0 and 2), 5 (row 1).
    std::string rows;
    for (const char* pass_row : {"a", "b", "c", "def", "gh", "ij", "klmno"})
        rows += std::string(1, '\0') + pass_row;
    return testing_pof::png_raw(5, 3, 8, 0, true, rows);
}

// A 4 x 2 colour-mapped TGA, run-length coded: a map of two 24-bit colours, then runs.
std::string tga_mapped() {
    return testing_pof::Bytes()
        .u8(0)
        .u8(1)
        .u8(9)
        .i16(0)
        .i16(2)
        .u8(24)
        .raw(std::string(4, '\0'))
        .i16(4)
        .i16(2)
        .u8(8)
        .u8(0x20)
        .raw("\x10\x20\x30\x01\x02\x03")
        .u8(0x84)
        .u8(1)
        .u8(0x02)
        .u8(0)
        .u8(1)
        .u8(0)
        .str();
}

Seeds stb_seeds() {
    const std::string png = testing_pof::png_file(picture(8, 6));
    const std::string jpg = testing_pof::jpg_file(picture(16, 8));
    return {
        {"png-16-bit", png_16_bit()},
        {"png-interlaced", png_interlaced()},
        {"tga-mapped-rle", tga_mapped()},
        {"regress-jpeg-huffman-table-over-256", too_many_codes(jpg)},
        {"regress-png-idat-past-the-end", idat_past_the_end(png)},
        {"png", png},
        {"png-cut", cut(png, png.size() / 2)},
        {"jpg", jpg},
        {"jpg-cut", cut(jpg, jpg.size() / 2)},
        {"tga-upward", tga(false, false)},
        {"tga-downward", tga(false, true)},
        {"tga-rle", tga(true, false)},
        {"sample-caps", testing_pof::sample_textures()[2].bytes},
    };
}

bool write(const std::filesystem::path& dir, const Seeds& seeds) {
    std::filesystem::create_directories(dir);
    for (const auto& [name, bytes] : seeds) {
        std::FILE* f = std::fopen((dir / name).c_str(), "wb");
        const bool written = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        if (f) std::fclose(f);
        if (!written) {
            std::fprintf(stderr, "%s: cannot write\n", (dir / name).c_str());
            return false;
        }
    }
    std::printf("%zu seeds written to %s\n", seeds.size(), dir.c_str());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FUZZ_DIR\n", argv[0]);
        return 2;
    }
    const std::filesystem::path fuzz = argv[1];
    const bool ok = write(fuzz / "corpus-dds", dds_seeds()) &&
                    write(fuzz / "corpus-pcx", pcx_seeds()) &&
                    write(fuzz / "corpus-stb", stb_seeds());
    return ok ? 0 : 1;
}
