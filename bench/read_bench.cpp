// Read and viewer costs on generated models of growing size.

#include <benchmark/benchmark.h>

#include "every_chunk_model.h"
#include "io/text.h"
#include "pof_builder.h"
#include "records/header/frmTXTR.h"
#include "session.h"

namespace {

using testing_pof::Bytes;
using testing_pof::PofBuilder;

// A model of n small chunks of known and unknown types, as many exporters write them.
std::string many_chunks(int n) {
    PofBuilder b(2117);
    b.chunk("HDR2", testing_pof::header_body(2117));
    for (int i = 0; i < n; ++i) {
        if (i % 2) {
            b.chunk("ACEN", testing_pof::acen_body(i, 0, 0));
        } else {
            b.chunk("XXXX", Bytes().i32(i).i32(i).i32(i).i32(i));
        }
    }
    return b.str();
}

std::string many_textures(int n) {
    Bytes body;
    body.i32(n);
    for (int i = 0; i < n; ++i) body.text("texture_" + std::to_string(i));
    return PofBuilder(2117).chunk("TXTR", body).str();
}

void BM_ReadChunks(benchmark::State& state) {
    const auto model = many_chunks(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        testing_pof::Session s;
        benchmark::DoNotOptimize(s.read(model));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * model.size()));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadChunks)->RangeMultiplier(10)->Range(100, 100000)->Complexity();

void BM_OpenTextureViewer(benchmark::State& state) {
    const auto model = many_textures(static_cast<int>(state.range(0)));
    testing_pof::Session s;
    s.read(model);
    for (auto _ : state) {
        records::frmTXTR viewer(s.store.txtr);
        viewer.opened();
        benchmark::DoNotOptimize(viewer.textures.row_count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_OpenTextureViewer)->RangeMultiplier(10)->Range(100, 100000)->Complexity();

void BM_FloatText(benchmark::State& state) {
    float v = 0.1f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(pof::float_text(v));
        v = v * 1.37f + 0.01f;
        if (v > 1e30f) v = 0.1f;
    }
}
BENCHMARK(BM_FloatText);

}  // namespace

BENCHMARK_MAIN();
