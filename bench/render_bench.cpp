// The software renderer behind --png and the thumbnails: its cost grows with the triangles
// drawn and with the pixels of the picture, each linearly. The whole thumbnail process is timed
// by bench/thumbnail_bench.sh.

#include <benchmark/benchmark.h>

#include "scene/build_scene.h"
#include "scene/picture.h"
#include "scene/render.h"
#include "scene_models.h"
#include "session.h"
#include "ship_model.h"

namespace {

view::Picture picture_of(const std::string& model) {
    testing_pof::Session s;
    s.read(model);
    return scene::make_picture(scene::build_scene(s.store, {}), {});
}

void render(benchmark::State& state, const view::Picture& picture, int side) {
    scene::Camera camera;
    camera.fit(picture);
    scene::RenderOptions options;
    options.width = options.height = side;
    options.transparent = true;
    for (auto _ : state) benchmark::DoNotOptimize(scene::render(picture, {}, {}, camera, options));
}

// A 256-pixel thumbnail of 100,000 to 1,000,000 triangles.
void BM_RenderTriangles(benchmark::State& state) {
    const view::Picture picture = picture_of(bench_models::triangle_heavy(state.range(0)));
    std::size_t triangles = 0;
    for (const auto& batch : picture.solids) triangles += batch.ids.size();
    render(state, picture, 256);
    state.counters["triangles"] = static_cast<double>(triangles);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * triangles));
}
BENCHMARK(BM_RenderTriangles)
    ->Arg(100000)
    ->Arg(300000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

// The sample ship at 128 to 1024 pixels a side.
void BM_RenderPixels(benchmark::State& state) {
    const view::Picture picture = picture_of(testing_pof::ship_model());
    const int side = static_cast<int>(state.range(0));
    render(state, picture, side);
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_RenderPixels)->Arg(128)->Arg(256)->Arg(512)->Arg(1024)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
