// How long closing the Model View blocks the window's thread while its texture thread decodes
// a 4096 x 4096 PNG: the sample ship with its textures beside it, the turret's that PNG. Each
// round opens the view, waits until the hull's texture has arrived (the turret's decode has
// then begun) and times the view's deletion; for scale, the same once all four have arrived. Run
// under a real X server or Xvfb (xvfb-run -a build-bench/bench/close_bench [rounds]); prints the
// times and one whole load of the PNG.

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <vector>

#include "counting_view.h"
#include "sample_textures.h"
#include "session.h"
#include "ship_model.h"
#include "texture_writers.h"
#include "ui/model_view_widget.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSide = 4096;

// The ship and its textures in a folder of their own, the turret's PNG written once (stb's
// encoder takes a while): smooth bands with a little noise, so it decodes as a picture does.
std::string ship_with_large_turret() {
    const fs::path folder = fs::temp_directory_path() / "pofscope-close-bench";
    fs::create_directories(folder);
    for (const auto& t : testing_pof::sample_textures()) {
        if (t.file_name != "turret.dds")
            std::ofstream(folder / t.file_name, std::ios::binary) << t.bytes;
    }
    if (!fs::exists(folder / "turret.png")) {
        testing_pof::RgbaPixels image(kSide, kSide);
        std::uint32_t seed = 7;
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                seed = seed * 1664525u + 1013904223u;
                const auto noise = static_cast<std::uint8_t>(seed >> 29);
                std::uint8_t* p = image.at(x, y);
                p[0] = static_cast<std::uint8_t>(x / 16 + noise);
                p[1] = static_cast<std::uint8_t>(y / 16 + noise);
                p[2] = static_cast<std::uint8_t>((x + y) / 32);
                p[3] = 255;
            }
        }
        std::ofstream(folder / "turret.png", std::ios::binary) << testing_pof::png_file(image);
    }
    std::ofstream(folder / "ship.pof", std::ios::binary) << testing_pof::ship_model();
    return (folder / "ship.pof").string();
}

using bench_models::CountingView;

void wait_until(const std::function<bool()>& done) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < 60000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Opens the view, waits for `textures` textures, then deletes it: the milliseconds the
// deletion took, and the milliseconds from the first texture to the last waited for.
std::pair<double, double> round_trip(const std::string& path, int textures) {
    testing_pof::Session s;
    s.read(testing_pof::ship_model());
    s.store.source.path = path;
    CountingView logic(s.store);
    logic.opened();
    auto view = std::make_unique<ui::ModelViewWidget>(logic);
    view->resize(800, 600);
    view->show();
    wait_until([&] { return view->windowHandle() && view->windowHandle()->isExposed(); });
    view->grabFramebuffer();  // the upload, which starts the texture thread
    wait_until([&] { return logic.answered >= 1; });
    QElapsedTimer loading;
    loading.start();
    wait_until([&] { return logic.answered >= textures; });
    const double loaded_ms = static_cast<double>(loading.nsecsElapsed()) / 1e6;
    QElapsedTimer closing;
    closing.start();
    view.reset();
    return {static_cast<double>(closing.nsecsElapsed()) / 1e6, loaded_ms};
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const std::string path = ship_with_large_turret();
    std::printf("the turret's %d x %d PNG loads in %.0f ms after the hull's texture\n", kSide,
                kSide, round_trip(path, 2).second);
    // Closed while the turret's texture loads, and once all four have arrived.
    for (const int waited : {1, 4}) {
        std::vector<double> closes;
        for (int r = 0; r < rounds; ++r) closes.push_back(round_trip(path, waited).first);
        std::sort(closes.begin(), closes.end());
        std::printf(
            "closing the Model View %s blocks the window's thread %.1f ms (median of %d; "
            "fastest %.1f, slowest %.1f)\n",
            waited == 1 ? "while it loads" : "with all loaded", closes[closes.size() / 2], rounds,
            closes.front(), closes.back());
    }
    return 0;
}
