// The Qt windows offscreen: the subobject viewer over 1,000 and 100,000 blocks and the vertex
// viewer over 1,000 and 65,536 vertices, made, shown and painted once. The lists go through
// item models, so the cost per block or vertex must not grow with the size. Likewise the
// production info window over a text of 1,000 and 1,000,000 lines.

#include <benchmark/benchmark.h>
#include <QApplication>

#include "bsp_models.h"
#include "pof_builder.h"
#include "records/header/frmPINF.h"
#include "records/subobjects/frmDEFPOINTS.h"
#include "records/subobjects/frmSOBJ.h"
#include "session.h"
#include "ui/viewer_window.h"

namespace {

// Shows the window and paints all of it, as its first showing on a screen would.
void show_and_paint(ui::ViewerWindow& window) {
    window.show();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(window.grab());
}

void BM_SubobjectWindow(benchmark::State& state) {
    testing_pof::Session s;
    s.read(bench_models::one_subobject(bench_models::triangles(static_cast<int>(state.range(0)))));
    const records::SubobjectContext context = s.subobject_context();
    for (auto _ : state) {
        auto viewer = std::make_unique<records::frmSOBJ>(context);
        viewer->opened();
        ui::ViewerWindow window(std::move(viewer));
        show_and_paint(window);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SubobjectWindow)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_VertexWindow(benchmark::State& state) {
    testing_pof::Session s;
    bench_models::read_vertex_block(s, static_cast<int>(state.range(0)));
    const records::SubobjectContext context = s.subobject_context();
    for (auto _ : state) {
        auto viewer = std::make_unique<records::frmDEFPOINTS>(context);
        viewer->opened();
        ui::ViewerWindow window(std::move(viewer));
        show_and_paint(window);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_VertexWindow)->Arg(1000)->Arg(65536)->Unit(benchmark::kMillisecond);

// A PINF text of nothing but line feeds, 1,000 and 1,000,000 of them: the window shows it in
// a plain-text view, which lays out only the lines on screen.
void BM_ProductionInfoWindow(benchmark::State& state) {
    testing_pof::Session s;
    const std::string text(static_cast<std::size_t>(state.range(0)), '\n');
    s.read(testing_pof::PofBuilder(2117).chunk("PINF", testing_pof::Bytes().raw(text)).str());
    for (auto _ : state) {
        auto viewer = std::make_unique<records::frmPINF>(s.store.pinf);
        viewer->opened();
        ui::ViewerWindow window(std::move(viewer));
        show_and_paint(window);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ProductionInfoWindow)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
