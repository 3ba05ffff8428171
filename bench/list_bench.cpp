// Long drop-down lists in the Qt window, offscreen: a gun point window over a GPNT chunk of n
// banks is opened, its bank list is dropped down, scrolled from end to end and closed again.
// The rows reach the combo box through an item model, so opening and scrolling the list
// should cost about what the visible rows cost, however many there are.

#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <memory>

#include "every_chunk_model.h"
#include "pof/chunk_kinds.h"
#include "pof_builder.h"
#include "session.h"
#include "ui/viewer_window.h"

namespace {

// A GPNT chunk of n banks of one point each, read into a session.
struct GunModel {
    explicit GunModel(int banks) {
        session.read(
            testing_pof::PofBuilder(2117)
                .chunk("GPNT", testing_pof::weapon_points_body(std::vector<std::int32_t>(banks, 1)))
                .str());
    }
    std::unique_ptr<ui::ViewerWindow> window() {
        auto viewer = pof::kind_of(pof::RecordEntry::GPNT)
                          .make_viewer({session.store, session.store.browsing, session.windows,
                                        session.desktop});
        viewer->opened();
        auto w = std::make_unique<ui::ViewerWindow>(std::move(viewer));
        w->show();
        QApplication::processEvents();
        return w;
    }
    testing_pof::Session session;
};

QComboBox* bank_list(ui::ViewerWindow& window) {
    return window.findChild<QComboBox*>("cboSlots");
}

// Drops the list down, shows its last rows, then its first, and closes it.
void drop_down_and_scroll(QComboBox* combo) {
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    QApplication::processEvents();
    view->scrollToBottom();
    view->viewport()->repaint();
    view->scrollToTop();
    view->viewport()->repaint();
    combo->hidePopup();
    QApplication::processEvents();
}

void BM_OpenGunPointWindow(benchmark::State& state) {
    GunModel model(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto window = model.window();
        benchmark::DoNotOptimize(bank_list(*window)->count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_OpenGunPointWindow)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

void BM_DropDownOpenScrollClose(benchmark::State& state) {
    GunModel model(static_cast<int>(state.range(0)));
    auto window = model.window();
    QComboBox* combo = bank_list(*window);
    for (auto _ : state) drop_down_and_scroll(combo);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_DropDownOpenScrollClose)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// One page further down the open list per step, wrapping at the end.
void BM_DropDownScrollPage(benchmark::State& state) {
    GunModel model(static_cast<int>(state.range(0)));
    auto window = model.window();
    QComboBox* combo = bank_list(*window);
    combo->showPopup();
    QApplication::processEvents();
    QScrollBar* bar = combo->view()->verticalScrollBar();
    for (auto _ : state) {
        const int next = bar->value() + bar->pageStep();
        bar->setValue(next > bar->maximum() ? 0 : next);
        combo->view()->viewport()->repaint();
    }
    combo->hidePopup();
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_DropDownScrollPage)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity();

}  // namespace
