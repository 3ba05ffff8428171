// pofdump --diff over the 38.5 MB model (600 OBJ2 chunks of 800 TMAPPOLY blocks) and a copy
// whose gun points moved, against reading both: a timing harness that prints the figures.
//   diff_bench [RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <fstream>
#include "bsp_models.h"
#include "shell/compared_model.h"

namespace {

constexpr std::int32_t kSubobjects = 600;
constexpr int kTrianglesPerSubobject = 800;
constexpr int kGuns = 24;

std::string model(float gun_height) {
    const testing_pof::Bytes bsp = bench_models::triangles(kTrianglesPerSubobject);
    testing_pof::PofBuilder b(2117);
    b.chunk("HDR2", testing_pof::header_body(2117, {.subobjects = kSubobjects}));
    for (std::int32_t n = 0; n < kSubobjects; ++n)
        b.chunk("OBJ2", testing_pof::subobject_body(2117, {.number = n, .bsp = bsp}));
    testing_pof::Bytes guns;
    guns.i32(1).i32(kGuns);
    for (int g = 0; g < kGuns; ++g) guns.vec(static_cast<float>(g), gun_height, 5).vec(0, 0, 1);
    b.chunk("GPNT", guns);
    return b.str();
}

template <class F>
double best_seconds(int runs, F&& run) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 3;
    namespace fs = std::filesystem;
    const std::string a = (fs::temp_directory_path() / "pofscope_diff_bench_a.pof").string();
    const std::string b = (fs::temp_directory_path() / "pofscope_diff_bench_b.pof").string();
    std::ofstream(a, std::ios::binary) << model(1);
    std::ofstream(b, std::ios::binary) << model(1.5f);
    std::size_t found = 0;
    const double read = best_seconds(runs, [&] { shell::ComparedModel first(a), second(b); });
    const double diff = best_seconds(runs, [&] {
        shell::ComparedModel first(a), second(b);
        found = shell::compare_models(first, second, {}).differences.size();
    });
    std::printf("model: %.1f MB, %d subobjects of %d TMAPPOLY blocks, %d gun points moved\n",
                static_cast<double>(std::filesystem::file_size(a)) / 1e6, kSubobjects,
                kTrianglesPerSubobject, kGuns);
    std::printf(
        "reading both: %.3f s\ncomparing:    %.3f s (%zu differences)\nratio:        %.2f x (goal: "
        "under 3 x)\n",
        read, diff, found, diff / read);
    fs::remove(a);
    fs::remove(b);
    return 0;
}
