// Writes the models the whole-process benchmarks time:
//   make_read_models bsp FILE      600 OBJ2 chunks of 800 TMAPPOLY blocks each (38.5 MB)
//   make_read_models unknown FILE  4.3 GB of unknown chunks of 1 MiB bodies, written as a
//                                  sparse file: only the chunk headers take disk space.
//   make_read_models debris FILE   80,000 subobjects, every one a debris piece, for the
//                                  Model View's scene (pofdump FILE --view MODEL)
//   make_read_models grid FILE     1,019,304 triangles in 52 subobjects, the model frame_bench
//                                  orbits, to look at in the Model View

#include <cstdint>
#include <cstdio>
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

bool write_grid(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out << bench_models::triangle_heavy(1000000);
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string kind = argc == 3 ? argv[1] : "";
    if (kind != "bsp" && kind != "unknown" && kind != "debris" && kind != "grid") {
        std::fprintf(stderr, "usage: %s bsp|unknown|debris|grid FILE\n", argv[0]);
        return 2;
    }
    bool ok = false;
    if (kind == "bsp") ok = write_bsp_heavy(argv[2]);
    if (kind == "unknown") ok = write_unknown_chunks(argv[2]);
    if (kind == "debris") ok = write_debris(argv[2]);
    if (kind == "grid") ok = write_grid(argv[2]);
    if (!ok) std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
    return ok ? 0 : 1;
}
