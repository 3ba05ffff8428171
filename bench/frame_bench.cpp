// Frames per second of the Model View's 3-D view while it orbits by a left drag, and what the
// pointer resting on the view costs (the frame of item ids, then a lookup per move): the
// sample ship untextured and with its four textures found beside it, a model of one
// subobject and a generated model of about 1,000,000 triangles, each uploaded once. Run under a
// real X server or Xvfb (xvfb-run -a build/bench/frame_bench); prints one line per model.

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "counting_view.h"
#include "pof_builder.h"
#include "sample_textures.h"
#include "scene_models.h"
#include "session.h"
#include "ship_model.h"
#include "subobject_model.h"
#include "texture_writers.h"
#include "ui/model_view_widget.h"

namespace {

namespace fs = std::filesystem;

// The sample ship written to a folder of its own with its textures beside it, as the build
// writes them; the model's path, so that the Model View finds them.
std::string textured_sample() {
    const fs::path folder = fs::temp_directory_path() / "pofscope-frame-bench";
    fs::create_directories(folder);
    const auto write = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
    };
    write("sample.pof", testing_pof::ship_model());
    for (const auto& t : testing_pof::sample_textures()) write(t.file_name, t.bytes);
    return (folder / "sample.pof").string();
}

// A DXT5 file of side x side pixels of noise with its mipmaps down to 1 x 1, as texture tools
// write them: 5.3 MiB for 2048 x 2048.
std::string dxt5_with_mipmaps(int side) {
    std::string file = testing_pof::dds_header(side, side, "DXT5");
    const auto set = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + std::size_t(i)] = static_cast<char>(v >> (8 * i));
    };
    set(8, 0x1007 | 0x80000 | 0x20000);  // caps, height, width, pixel format, linear size, mipmaps
    set(28, static_cast<std::uint32_t>(std::bit_width(static_cast<unsigned>(side))));
    std::uint32_t seed = 12345;
    for (int s = side; s >= 1; s /= 2) {
        const std::size_t blocks = std::size_t((s + 3) / 4) * std::size_t((s + 3) / 4);
        for (std::size_t i = 0; i < blocks * 16; ++i)
            file += static_cast<char>((seed = seed * 1664525u + 1013904223u) >> 24);
    }
    return file;
}

// A ship of 24 subobjects, each textured by a TXTR name of its own, and its 24 textures of
// 2048 x 2048 DXT5 with their mipmaps (5.3 MiB each, 128 MiB in all) beside it: how long until the
// Model View shows them all.
std::string heavily_textured(std::string* model) {
    constexpr int kTextures = 24, kSide = 2048;
    const fs::path folder = fs::temp_directory_path() / "pofscope-frame-bench-textures";
    fs::create_directories(folder);
    testing_pof::Bytes txtr;
    txtr.i32(kTextures);
    const std::string file = dxt5_with_mipmaps(kSide);
    for (int t = 0; t < kTextures; ++t) {
        const std::string name = "panel" + std::to_string(t);
        txtr.text(name);
        std::ofstream(folder / (name + ".dds"), std::ios::binary) << file;
    }
    testing_pof::HeaderFields h;
    h.subobjects = kTextures;
    testing_pof::PofBuilder b(2117);
    b.chunk("HDR2", testing_pof::header_body(2117, h));
    b.chunk("TXTR", txtr);
    for (int n = 0; n < kTextures; ++n) {
        testing_pof::SubobjectFields sub;
        sub.number = n;
        sub.parent = n == 0 ? -1 : 0;
        sub.name = "part" + std::to_string(n);
        sub.bsp = bench_models::grid_subobject(10, static_cast<float>(n * 10), n);
        b.chunk("OBJ2", testing_pof::subobject_body(2117, sub));
    }
    *model = b.str();
    std::ofstream(folder / "ship.pof", std::ios::binary) << *model;
    return (folder / "ship.pof").string();
}

using bench_models::CountingView;

void measure(const char* what, const std::string& model, int frames, const std::string& path = {}) {
    testing_pof::Session s;
    s.read(model);
    s.store.source.path = path;
    CountingView logic(s.store);
    logic.opened();
    ui::ModelViewWidget view(logic);
    view.resize(1000, 700);
    view.show();
    // A widget not yet on the screen does not paint.
    QElapsedTimer waited;
    waited.start();
    while ((!view.windowHandle() || !view.windowHandle()->isExposed()) && waited.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    QElapsedTimer upload;
    upload.start();
    view.grabFramebuffer();  // the upload happens on the first frame
    const double upload_ms = static_cast<double>(upload.nsecsElapsed()) / 1e6;
    // Textures load behind the view: orbit once each found texture is on the hull.
    const auto& loading = logic.picture().textures;
    const int found = loading ? static_cast<int>(loading->entries.size()) : 0;
    QElapsedTimer textured;
    textured.start();
    while (logic.answered < found && textured.elapsed() < 20000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    if (found > 0) {
        std::printf("%-16s %d of %d textures loaded, %d shown, %.0f ms after the first frame\n",
                    what, logic.answered, found, view.textures_loaded(),
                    static_cast<double>(textured.nsecsElapsed()) / 1e6);
    }
    // Orbiting as a left drag does: every move turns the view and the frame is drawn at once
    // and read back, so every frame is counted whole.
    const QPoint middle(500, 350);
    QMouseEvent press(QEvent::MouseButtonPress, middle, view.mapToGlobal(middle), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &press);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < frames; ++i) {
        const QPoint at = middle + QPoint(2 * (i + 1), 0);
        QMouseEvent move(QEvent::MouseMove, at, view.mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&view, &move);
        view.grabFramebuffer();
    }
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    const int id_frames_orbiting = view.id_frames();
    // The pointer at rest: the frame of item ids is drawn once, then each move looks up a
    // pixel of it.
    QElapsedTimer ids;
    ids.start();
    view.item_at(middle);
    const double ids_ms = static_cast<double>(ids.nsecsElapsed()) / 1e6;
    QElapsedTimer lookups;
    lookups.start();
    constexpr int kLookups = 10000;
    for (int i = 0; i < kLookups; ++i) view.item_at(QPoint(i % 1000, (i / 1000) * 70));
    const double lookup_us = static_cast<double>(lookups.nsecsElapsed()) / 1e3 / kLookups;
    std::printf(
        "%-16s %9lld triangles  first frame (upload) %7.1f ms  orbit %7.1f frames/s "
        "(%d id frames)  at rest: id frame %6.1f ms, then %.2f us a move%s%s\n",
        what, static_cast<long long>(logic.scene().counts.triangles), upload_ms, frames / seconds,
        id_frames_orbiting, ids_ms, lookup_us,
        view.drawing_failed() || !view.isValid() ? "  (no OpenGL)" : "",
        view.textures_loaded() > 0 ? "  (textured)" : "");
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The textures arriving behind the Model View: how long after the first frame until the last
// is on the GL (shown), and the longest the window's thread went without answering
// meanwhile (stall: the longest gap of a 1 ms timer, less its 1 ms; without textures over
// 300 ms after the first frame). Medians of `runs` runs, each in a view of its own.
void texture_figures(const char* what, const std::string& model, int runs,
                     const std::string& path = {}) {
    std::vector<double> shown, stall, turn;
    long long triangles = 0;
    int found = 0;
    for (int run = 0; run < runs; ++run) {
        testing_pof::Session s;
        s.read(model);
        s.store.source.path = path;
        CountingView logic(s.store);
        logic.opened();
        triangles = static_cast<long long>(logic.scene().counts.triangles);
        ui::ModelViewWidget view(logic);
        view.resize(1000, 700);
        view.show();
        QElapsedTimer waited;
        waited.start();
        while ((!view.windowHandle() || !view.windowHandle()->isExposed()) &&
               waited.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        view.grabFramebuffer();  // the first frame starts the textures' loader
        const auto& loading = logic.picture().textures;
        found = loading ? static_cast<int>(loading->entries.size()) : 0;
        QElapsedTimer since;
        since.start();
        qint64 last = 0, longest = 0, done = -1;
        QEventLoop loop;
        QTimer beat;
        beat.setTimerType(Qt::PreciseTimer);
        beat.setInterval(1);
        QObject::connect(&beat, &QTimer::timeout, [&] {
            const qint64 now = since.nsecsElapsed();
            longest = std::max(longest, now - last);
            last = now;
            const bool over = found > 0 ? logic.answered >= found : now > 300'000'000;
            if (over || now > 20'000'000'000) {
                done = now;
                loop.quit();
            }
        });
        beat.start();
        loop.exec();
        shown.push_back(static_cast<double>(done) / 1e6);
        stall.push_back(std::max(0.0, static_cast<double>(longest) / 1e6 - 1));
        turn.push_back(view.texture_uploads().longest_turn_ms());
    }
    std::printf(
        "%-16s %9lld triangles  %d textures  shown %s ms  stall %.0f ms  (longest upload turn "
        "%.1f ms; medians of %d)\n",
        what, triangles, found,
        found > 0 ? std::to_string(std::lround(median(shown))).c_str() : "-", median(stall),
        median(turn), runs);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    measure("the sample ship", testing_pof::ship_model(), 300);
    measure("textured sample", testing_pof::ship_model(), 300, textured_sample());
    std::string textured_model;
    const std::string textured_path = heavily_textured(&textured_model);
    measure("128 MiB of DDS", textured_model, 100, textured_path);
    measure("one subobject", bench_models::triangle_heavy(1000), 200);
    measure("52 subobjects", bench_models::triangle_heavy(1000000), 20);
    texture_figures("the sample ship", testing_pof::ship_model(), 5);
    texture_figures("textured sample", testing_pof::ship_model(), 5, textured_sample());
    texture_figures("128 MiB of DDS", textured_model, 5, textured_path);
    texture_figures("one subobject", bench_models::triangle_heavy(1000), 5);
    texture_figures("52 subobjects", bench_models::triangle_heavy(1000000), 3);
    return 0;
}
