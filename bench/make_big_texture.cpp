// Writes one large, nearly uniform texture for bench/decode_memory_bench.sh:
//   make_big_texture png16 WIDTH HEIGHT FILE   16-bit RGBA PNG (zlib packs it to little)
//   make_big_texture png8 WIDTH HEIGHT FILE    8-bit RGBA PNG
//   make_big_texture tga WIDTH HEIGHT FILE     32-bit TGA, run-length coded
//   make_big_texture dxt1 WIDTH HEIGHT FILE    DXT1 DDS, its blocks a hole in a sparse file
//   make_big_texture jpg WIDTH HEIGHT FILE     baseline JPEG (grey)

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <zlib.h>

#include "texture_writers.h"

namespace {

void be32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(v >> shift);
}

void chunk(std::ofstream& out, const char* type, const std::string& data) {
    std::string c;
    be32(c, static_cast<std::uint32_t>(data.size()));
    const std::string typed = type + data;
    c += typed;
    be32(c, static_cast<std::uint32_t>(
                crc32(0, reinterpret_cast<const Bytef*>(typed.data()), uInt(typed.size()))));
    out << c;
}

// The rows are packed one after the other, so the whole image never lies in memory.
bool write_png(const std::string& path, int width, int height, int depth) {
    std::ofstream out(path, std::ios::binary);
    out << "\x89PNG\r\n\x1a\n";
    std::string ihdr;
    be32(ihdr, std::uint32_t(width));
    be32(ihdr, std::uint32_t(height));
    ihdr += {static_cast<char>(depth), 6, 0, 0, 0};
    chunk(out, "IHDR", ihdr);
    std::vector<unsigned char> row(1 + std::size_t(width) * 4 * (depth / 8), 0x40);
    row[0] = 0;
    z_stream z{};
    deflateInit(&z, 9);
    std::string packed;
    std::vector<unsigned char> buffer(1 << 16);
    for (int y = 0; y <= height; ++y) {
        z.next_in = row.data();
        z.avail_in = y < height ? uInt(row.size()) : 0;
        const int flush = y < height ? Z_NO_FLUSH : Z_FINISH;
        do {
            z.next_out = buffer.data();
            z.avail_out = uInt(buffer.size());
            deflate(&z, flush);
            packed.append(reinterpret_cast<char*>(buffer.data()), buffer.size() - z.avail_out);
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    chunk(out, "IDAT", packed);
    chunk(out, "IEND", "");
    return static_cast<bool>(out);
}

bool write_tga(const std::string& path, int width, int height) {
    std::ofstream out(path, std::ios::binary);
    const unsigned char header[18] = {0,
                                      0,
                                      10,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      static_cast<unsigned char>(width),
                                      static_cast<unsigned char>(width >> 8),
                                      static_cast<unsigned char>(height),
                                      static_cast<unsigned char>(height >> 8),
                                      32,
                                      0x28};
    out.write(reinterpret_cast<const char*>(header), 18);
    const char run[5] = {'\xff', 0x40, 0x60, static_cast<char>(0x80), static_cast<char>(0xff)};
    for (long long left = (long long)width * height; left > 0; left -= 128) out.write(run, 5);
    return static_cast<bool>(out);
}

bool write_dxt1(const std::string& path, int width, int height) {
    std::ofstream out(path, std::ios::binary);
    out << testing_pof::dds_header(width, height, "DXT1");
    out.seekp(static_cast<std::streamoff>(128 + std::int64_t(width) * height / 2 - 1));
    out.put('\0');
    return static_cast<bool>(out);
}

bool write_jpg(const std::string& path, int width, int height) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 1;
    info.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(std::size_t(width), 0x80);
    while (info.next_scanline < info.image_height) {
        JSAMPROW at = row.data();
        jpeg_write_scanlines(&info, &at, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: make_big_texture png16|png8|tga|dxt1|jpg WIDTH HEIGHT FILE\n");
        return 2;
    }
    const std::string kind = argv[1], path = argv[4];
    const int width = std::stoi(argv[2]), height = std::stoi(argv[3]);
    bool ok = false;
    if (kind == "png16" || kind == "png8")
        ok = write_png(path, width, height, kind == "png16" ? 16 : 8);
    if (kind == "tga") ok = write_tga(path, width, height);
    if (kind == "dxt1") ok = write_dxt1(path, width, height);
    if (kind == "jpg") ok = write_jpg(path, width, height);
    if (!ok) std::fprintf(stderr, "make_big_texture: could not write %s\n", path.c_str());
    return ok ? 0 : 1;
}
