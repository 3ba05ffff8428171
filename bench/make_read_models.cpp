// Writes the models the whole-process benchmarks time:
//   make_read_models bsp FILE      600 OBJ2 chunks of 800 TMAPPOLY blocks each (38.5 MB)
//   make_read_models unknown FILE  4.3 GB of unknown chunks of 1 MiB bodies, written as a
//                                  sparse file: only the chunk headers take disk space.
//   make_read_models debris FILE   80,000 subobjects, every one a debris piece, for the
//                                  Model View's scene (pofdump FILE --view MODEL)
//   make_read_models triangles FILE  1,000,000 triangles in grids of 19,602, for the
//                                  thumbnail of a large model (bench/thumbnail_bench.sh)
//   make_read_models glow FILE [N]  one GLOW bank of N points (1,000,000 unless given), each
//                                  with a normal and a radius, for the Model View's markers

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bsp_models.h"
#include "scene_models.h"

namespace {

constexpr std::int32_t kSubobjects = 600;
constexpr int kTrianglesPerSubobject = 800;
constexpr std::int64_t kUnknownBytes = std::int64_t{4300} * 1000 * 1000;
constexpr std::int32_t kUnknownBody = 1 << 20;

bool write_bsp_heavy(const std::string& path) {
    const testing_pof::Bytes bsp = bench_models::triangles(kTrianglesPerSubobject);
    testing_pof::PofBuilder b(2117);
    b.chunk("HDR2", testing_pof::header_body(2117, {.subobjects = kSubobjects}));
    for (std::int32_t n = 0; n < kSubobjects; ++n) {
        b.chunk("OBJ2", testing_pof::subobject_body(2117, {.number = n, .bsp = bsp}));
    }
    std::ofstream out(path, std::ios::binary);
    out << b.str();
    return static_cast<bool>(out);
}

// Each chunk header is written where it belongs; the bodies between them stay holes.
bool write_unknown_chunks(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out << testing_pof::PofBuilder(2117).str();
    const std::string header = testing_pof::Bytes().raw("XXXX").i32(kUnknownBody).str();
    std::int64_t at = 8;
    while (at + 8 + kUnknownBody <= kUnknownBytes) {
        out.seekp(at);
        out << header;
        at += 8 + kUnknownBody;
    }
    out.seekp(at - 1);
    out << '\0';  // the last body's final byte fixes the file's size
    return static_cast<bool>(out);
}

bool write_debris(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out << bench_models::all_debris(80000);
    return static_cast<bool>(out);
}

bool write_triangles(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out << bench_models::triangle_heavy(1000000);
    return static_cast<bool>(out);
}

// A header, a subobject of no polygons and one bank of points spread over a cube.
bool write_glow(const std::string& path, std::int32_t points) {
    testing_pof::PofBuilder b(2117);
    b.chunk("HDR2", testing_pof::header_body(2117, {.subobjects = 1}));
    b.chunk("OBJ2", testing_pof::subobject_body(2117, {.number = 0}));
    testing_pof::Bytes glow = testing_pof::Bytes().i32(1);
    glow.i32(0).i32(0).i32(0).i32(0).i32(0).i32(0).i32(points).text("$glow_texture=light");
    for (std::int32_t i = 0; i < points; ++i) {
        const auto at = [i](int k) { return static_cast<float>((i * (k * 7919 + 13)) % 1000); };
        glow.vec(at(0), at(1), at(2)).vec(0, 0, 1).f32(0.5f);
    }
    b.chunk("GLOW", glow);
    std::ofstream out(path, std::ios::binary);
    out << b.str();
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string kind =
        argc == 3 || (argc == 4 && argv[1] == std::string("glow")) ? argv[1] : "";
    if (kind != "bsp" && kind != "unknown" && kind != "debris" && kind != "triangles" &&
        kind != "glow") {
        std::fprintf(stderr, "usage: %s bsp|unknown|debris|triangles FILE | glow FILE [N]\n",
                     argv[0]);
        return 2;
    }
    bool ok = false;
    if (kind == "bsp") ok = write_bsp_heavy(argv[2]);
    if (kind == "unknown") ok = write_unknown_chunks(argv[2]);
    if (kind == "debris") ok = write_debris(argv[2]);
    if (kind == "triangles") ok = write_triangles(argv[2]);
    if (kind == "glow") ok = write_glow(argv[2], argc == 4 ? std::atoi(argv[3]) : 1000000);
    if (!ok) std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
    return ok ? 0 : 1;
}
