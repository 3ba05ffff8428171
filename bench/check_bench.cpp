// The model check against the read it follows: a BSP-heavy model, a model of a million
// triangles, a model with 100,000 findings, the small model of every chunk type and paths of
// names given twice. The check should cost at most a second read. The read is the one File > Open
// does, from bytes in memory.

#include <benchmark/benchmark.h>

#include "bsp_models.h"
#include "check/model_check.h"
#include "check_models.h"

namespace {

// Subobjects of a vertex table and blocks triangles each.
std::string subobjects_of_triangles(int subobjects, int blocks, bool bad_index) {
    return bench_models::chained_subobjects(
        bench_models::vertex_table_and_triangles(blocks, bad_index), subobjects);
}

const std::string& model(int which) {
    static const std::string models[] = {
        bench_models::bsp_heavy(38'500'000),          // no TXTR, no DEFPOINTS: 2 faults a block
        subobjects_of_triangles(480, 1'000, false),   // 38.5 MB that checks clean
        subobjects_of_triangles(100, 10'000, false),  // 1,000,000 triangles
        subobjects_of_triangles(1'000, 100, true),    // 100,000 texture-index findings
        testing_pof::every_chunk_model(),             // one of many small files
        bench_models::named_paths(100'000),           // the game's rules on path names
        bench_models::named_paths(400'000),           // four times as many: four times the time
    };
    return models[which];
}

const char* const kNames[] = {"bsp_heavy_38MB", "clean_38MB", "triangles_1M", "findings_100k",
                              "every_chunk",    "paths_100k", "paths_400k"};

void BM_Read(benchmark::State& state) {
    const std::string& bytes = model(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        testing_pof::Session s;
        benchmark::DoNotOptimize(s.read(bytes));
    }
    state.SetLabel(kNames[state.range(0)]);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_Read)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

void BM_Check(benchmark::State& state) {
    const std::string& bytes = model(static_cast<int>(state.range(0)));
    testing_pof::Session s;
    s.read(bytes);
    std::size_t findings = 0;
    for (auto _ : state) {
        const auto found = check::check_model(s.store);
        findings = found.size();
        benchmark::DoNotOptimize(&found);
    }
    state.SetLabel(std::string(kNames[state.range(0)]) + ", " + std::to_string(findings) +
                   " findings");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_Check)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

// The check, then every finding put in words, as pofdump --check prints them and the Model
// Check window lists them.
void BM_CheckAndWords(benchmark::State& state) {
    const std::string& bytes = model(static_cast<int>(state.range(0)));
    testing_pof::Session s;
    s.read(bytes);
    std::size_t text = 0;
    for (auto _ : state) {
        text = 0;
        for (const check::Finding& f : check::check_model(s.store)) {
            text += f.place.size() + f.message.size();
        }
        benchmark::DoNotOptimize(text);
    }
    state.SetLabel(std::string(kNames[state.range(0)]) + ", " + std::to_string(text) +
                   " bytes of words");
}
BENCHMARK(BM_CheckAndWords)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
