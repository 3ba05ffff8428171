// Subobjects and their BSP data: reading BSP-heavy models against a plain read of the same
// bytes, the block walk, and opening the subobject and vertex viewers (logic alone).

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "bsp_models.h"
#include "records/subobjects/bsp.h"
#include "records/subobjects/frmDEFPOINTS.h"
#include "records/subobjects/frmSOBJ.h"
#include "session.h"

namespace {

using Clock = std::chrono::steady_clock;

std::filesystem::path write_model(const std::string& bytes, std::int64_t megabytes) {
    const auto path =
        std::filesystem::temp_directory_path() /
        ("pofscope_bench_" + std::to_string(::getpid()) + "_" + std::to_string(megabytes) + ".pof");
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// Reads the file's bytes in 64 KiB steps and does nothing with them.
void plain_read(const std::filesystem::path& path) {
    std::vector<char> buffer(64 * 1024);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    while (std::fread(buffer.data(), 1, buffer.size(), f) > 0) benchmark::ClobberMemory();
    std::fclose(f);
}

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// File > Open of a model of many OBJ2 chunks, beside a plain read of its bytes in the same
// iteration; x_plain_read is the ratio of the two.
void BM_ReadBspHeavyModel(benchmark::State& state) {
    const std::int64_t megabytes = state.range(0);
    const auto path = write_model(bench_models::bsp_heavy(megabytes << 20), megabytes);
    double model_seconds = 0, plain_seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto start = Clock::now();
        plain_read(path);
        plain_seconds += seconds_since(start);
        testing_pof::Session s;
        s.desktop.next_dialog_result = {view::OpenFileResult::Status::Chosen, path.string(), {}};
        state.ResumeTiming();
        start = Clock::now();
        benchmark::DoNotOptimize(s.form.open());
        model_seconds += seconds_since(start);
    }
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(path));
    std::filesystem::remove(path);
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["plain_MB/s"] =
        static_cast<double>(size) * static_cast<double>(state.iterations()) / plain_seconds / 1e6;
    state.counters["x_plain_read"] = model_seconds / plain_seconds;
}
BENCHMARK(BM_ReadBspHeavyModel)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_WalkBlocks(benchmark::State& state) {
    const std::string bsp = bench_models::triangles(static_cast<int>(state.range(0))).str();
    for (auto _ : state) benchmark::DoNotOptimize(records::walk_blocks(bsp));
    state.SetItemsProcessed(state.iterations() * (state.range(0) + 1));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_WalkBlocks)->Arg(1000)->Arg(100000)->Complexity();

// Made and filled as the Window menu does it: the walk of the chosen subobject included.
void BM_OpenSubobjectViewer(benchmark::State& state) {
    testing_pof::Session s;
    s.read(bench_models::one_subobject(bench_models::triangles(static_cast<int>(state.range(0)))));
    const records::SubobjectContext context = s.subobject_context();
    for (auto _ : state) {
        records::frmSOBJ viewer(context);
        viewer.opened();
        benchmark::DoNotOptimize(viewer.blocks.row_count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_OpenSubobjectViewer)->Arg(1000)->Arg(100000)->Complexity();

void BM_OpenVertexViewer(benchmark::State& state) {
    testing_pof::Session s;
    bench_models::read_vertex_block(s, static_cast<int>(state.range(0)));
    const records::SubobjectContext context = s.subobject_context();
    for (auto _ : state) {
        records::frmDEFPOINTS viewer(context);
        viewer.opened();
        benchmark::DoNotOptimize(viewer.vertices.rows.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_OpenVertexViewer)->Arg(1000)->Arg(65536)->Complexity();

}  // namespace

BENCHMARK_MAIN();
