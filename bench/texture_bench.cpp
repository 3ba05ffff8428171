// Texture decoding against reading the file it comes from: a 2048 x 2048 DXT5 texture must
// decode in at most a few milliseconds more than its file takes to read. The other formats
// and the mipmaps the Model View uploads are measured beside it.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "texture_writers.h"
#include "textures/decode.h"
#include "textures/dxt.h"
#include "textures/load.h"
#include "textures/texture_file.h"

namespace {

constexpr int kSide = 2048;

// Blocks of pseudo-random bytes: every byte pattern is a valid DXT block, and the decoder's
// cost does not depend on what the blocks show.
std::string dds_of_noise(const char* four_cc, std::size_t block_bytes) {
    std::string file = testing_pof::dds_header(kSide, kSide, four_cc);
    const std::size_t data = std::size_t(kSide / 4) * (kSide / 4) * block_bytes;
    std::uint32_t seed = 12345;
    for (std::size_t i = 0; i < data; ++i) {
        seed = seed * 1664525u + 1013904223u;
        file += static_cast<char>(seed >> 24);
    }
    return file;
}

testing_pof::RgbaPixels panels() {
    testing_pof::RgbaPixels image(kSide, kSide);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            image.set(x, y, (x / 64 + y / 64) % 2 ? 0x7f8c99ff : 0x3d444cff);
        }
    }
    return image;
}

// The file written once in the temp directory, so its read comes from the page cache.
textures::FoundTexture written(const std::string& name, const std::string& bytes) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("pofscope_bench_" + std::to_string(::getpid()) + "_" + name);
    std::ofstream(path, std::ios::binary) << bytes;
    textures::FoundTexture found;
    found.path = path;
    found.kind = *textures::kind_of_extension(path.extension().string());
    return found;
}

std::span<const std::uint8_t> bytes_of(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

void BM_ReadFile(benchmark::State& state, const std::string& name, const std::string& bytes) {
    const auto found = written(name, bytes);
    for (auto _ : state) {
        benchmark::DoNotOptimize(textures::read_texture_file(found));
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
    std::filesystem::remove(found.path);
}

void BM_Decode(benchmark::State& state, const std::string& bytes, textures::ImageKind kind) {
    for (auto _ : state) {
        const auto d = textures::decode_image(bytes_of(bytes), kind);
        if (d.verdict != textures::Verdict::Ok) state.SkipWithError(d.reason.c_str());
        benchmark::DoNotOptimize(d);
    }
    state.counters["pixels"] =
        benchmark::Counter(double(state.iterations()) * kSide * kSide, benchmark::Counter::kIsRate);
}

// The blocks alone, into an image whose memory is already mapped: what decoding costs beyond
// the page faults of fresh memory.
void BM_DecodeBlocks(benchmark::State& state, const std::string& bytes,
                     textures::DxtCoding coding) {
    textures::Image image(kSide, kSide);
    const auto blocks = bytes_of(bytes).subspan(128);
    for (auto _ : state) benchmark::DoNotOptimize(textures::decode_dxt(coding, blocks, image));
}

void BM_ReadAndDecode(benchmark::State& state, const std::string& name, const std::string& bytes) {
    const auto found = written(name, bytes);
    for (auto _ : state) benchmark::DoNotOptimize(textures::decode_texture(found));
    std::filesystem::remove(found.path);
}

void BM_Mipmaps(benchmark::State& state) {
    const auto d =
        textures::decode_image(bytes_of(dds_of_noise("DXT5", 16)), textures::ImageKind::Dds);
    for (auto _ : state) benchmark::DoNotOptimize(textures::mipmaps(d.image));
}

void register_all() {
    static const std::string dxt5 = dds_of_noise("DXT5", 16);
    static const std::string dxt1 = dds_of_noise("DXT1", 8);
    static const std::string pcx = testing_pof::pcx8_file(panels());
    static const std::string png = testing_pof::png_file(panels());
    using textures::ImageKind;
    const auto ms = benchmark::kMillisecond;
    benchmark::RegisterBenchmark("ReadFile/DXT5", BM_ReadFile, "a.dds", dxt5)->Unit(ms);
    benchmark::RegisterBenchmark("Decode/DXT5", BM_Decode, dxt5, ImageKind::Dds)->Unit(ms);
    benchmark::RegisterBenchmark("DecodeBlocks/DXT5", BM_DecodeBlocks, dxt5,
                                 textures::DxtCoding::Dxt5)
        ->Unit(ms);
    benchmark::RegisterBenchmark("ReadAndDecode/DXT5", BM_ReadAndDecode, "b.dds", dxt5)->Unit(ms);
    benchmark::RegisterBenchmark("Decode/DXT1", BM_Decode, dxt1, ImageKind::Dds)->Unit(ms);
    benchmark::RegisterBenchmark("Decode/PCX8", BM_Decode, pcx, ImageKind::Pcx)->Unit(ms);
    benchmark::RegisterBenchmark("Decode/PNG", BM_Decode, png, ImageKind::Png)->Unit(ms);
    benchmark::RegisterBenchmark("Mipmaps/2048", BM_Mipmaps)->Unit(ms);
}

}  // namespace

int main(int argc, char** argv) {
    register_all();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
