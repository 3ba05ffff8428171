// The Model View's scene against the read of the same model: building the scene (and the
// picture the 3-D view uploads) should cost at most three reads, and the tree the view finds
// items in less than the scene. Then finding the item under the pointer in that tree, and the
// scene and the model check over growing counts of subobjects, debris entries and markers.

#include <benchmark/benchmark.h>

#include "check/model_check.h"
#include "scene/build_scene.h"
#include "scene/camera.h"
#include "scene/pick.h"
#include "scene/picture.h"
#include "scene_models.h"
#include "session.h"

namespace {

void BM_ReadTriangleModel(benchmark::State& state) {
    const auto model = bench_models::triangle_heavy(state.range(0));
    for (auto _ : state) {
        testing_pof::Session s;
        benchmark::DoNotOptimize(s.read(model));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * model.size()));
}
BENCHMARK(BM_ReadTriangleModel)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_BuildScene(benchmark::State& state) {
    testing_pof::Session s;
    s.read(bench_models::triangle_heavy(state.range(0)));
    std::int64_t triangles = 0;
    for (auto _ : state) {
        const auto scene = scene::build_scene(s.store, {});
        triangles = scene.counts.triangles;
        benchmark::DoNotOptimize(scene);
    }
    state.counters["triangles"] = static_cast<double>(triangles);
}
BENCHMARK(BM_BuildScene)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_BuildSceneAndPicture(benchmark::State& state) {
    testing_pof::Session s;
    s.read(bench_models::triangle_heavy(state.range(0)));
    std::array<bool, scene::kMarkerKinds> shown{};
    shown.fill(true);
    for (auto _ : state) {
        const auto scene = scene::build_scene(s.store, {});
        benchmark::DoNotOptimize(scene::make_picture(scene, shown));
    }
}
BENCHMARK(BM_BuildSceneAndPicture)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Against BM_BuildScene of the same count.
void BM_BuildPickTree(benchmark::State& state) {
    testing_pof::Session s;
    s.read(bench_models::triangle_heavy(state.range(0)));
    const auto scene = scene::build_scene(s.store, {});
    for (auto _ : state) benchmark::DoNotOptimize(scene::PickTree(scene));
    state.counters["bytes"] = static_cast<double>(scene::PickTree(scene).bytes());
}
BENCHMARK(BM_BuildPickTree)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The item under the pointer in a view of 1000 x 700 pixels fitted to the model, the pointer
// on a grid across the view's middle (on the hull, on its edges, on the background), with
// every marker kind shown.
void BM_PickItem(benchmark::State& state) {
    testing_pof::Session s;
    s.read(bench_models::triangle_heavy(state.range(0)));
    const auto scene = scene::build_scene(s.store, {});
    const scene::PickTree tree(scene);
    std::array<bool, scene::kMarkerKinds> shown{};
    shown.fill(true);
    scene::Camera camera;
    camera.fit(scene::make_picture(scene, shown));
    view::PickRequest r;
    r.width = 1000;
    r.height = 700;
    r.transform = camera.transform(1000.0f / 700).m;
    int i = 0, found = 0;
    for (auto _ : state) {
        r.x = (i * 37) % 1000;
        r.y = 330 + (i * 7) % 40;  // across the model's middle
        ++i;
        found += tree.item_at(scene, shown, {}, r) >= 0;
    }
    state.counters["on an item"] = static_cast<double>(found) / i;
}
BENCHMARK(BM_PickItem)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// The scene and the check cost time linear in subobjects, debris entries and markers: the
// complexity each family reports should read O(N).
void read_into(testing_pof::Session& s, const std::string& model) {
    s.read(model);
}

void BM_SceneOfDebris(benchmark::State& state) {
    testing_pof::Session s;
    read_into(s, bench_models::all_debris(static_cast<std::int32_t>(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(scene::build_scene(s.store, {}));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SceneOfDebris)
    ->RangeMultiplier(2)
    ->Range(10000, 80000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

void BM_CheckOfDebris(benchmark::State& state) {
    testing_pof::Session s;
    read_into(s, bench_models::all_debris(static_cast<std::int32_t>(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(check::check_model(s.store));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CheckOfDebris)
    ->RangeMultiplier(2)
    ->Range(10000, 80000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

void BM_SceneOfMarkers(benchmark::State& state) {
    testing_pof::Session s;
    read_into(s, bench_models::many_markers(static_cast<std::int32_t>(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(scene::build_scene(s.store, {}));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SceneOfMarkers)
    ->RangeMultiplier(2)
    ->Range(20000, 160000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

void BM_CheckOfMarkers(benchmark::State& state) {
    testing_pof::Session s;
    read_into(s, bench_models::many_markers(static_cast<std::int32_t>(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(check::check_model(s.store));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CheckOfMarkers)
    ->RangeMultiplier(2)
    ->Range(20000, 160000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
