// The Model View's 3-D view over a few models: the first frame (with its upload), a still
// (full) frame, frames a second while it orbits by a left drag (the coarse picture of a large
// model) and how long after the rest delay the item under a resting pointer is named; each
// the median of several runs. The models: the sample ship untextured and with its four
// textures found beside it, 24 textured subobjects, a model of one subobject and a generated
// model of about 1,000,000 triangles. Run under a real X server or Xvfb (xvfb-run -a
// build/bench/frame_bench [big]); prints one line per figure, each naming the model by its
// triangle count.

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
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

// The rest delay of the README: the pointer has rested this long when the item under it is
// looked up.
constexpr double kRestMs = 120;

double ms_since(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// A model opened in a Model View on the screen, its first frame drawn.
struct Opened {
    testing_pof::Session session;
    std::unique_ptr<CountingView> logic;
    std::unique_ptr<ui::ModelViewWidget> view;
    double first_frame_ms = 0;

    Opened(const std::string& model, const std::string& path) {
        session.read(model);
        session.store.source.path = path;
        logic = std::make_unique<CountingView>(session.store);
        logic->opened();
        view = std::make_unique<ui::ModelViewWidget>(*logic);
        view->resize(1000, 700);
        // From showing the view to its first frame (with the upload), whether the frame is
        // drawn as the window is exposed or by the grab.
        QElapsedTimer first;
        first.start();
        view->show();
        // A widget not yet on the screen does not paint.
        while ((!view->windowHandle() || !view->windowHandle()->isExposed()) &&
               first.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        view->grabFramebuffer();
        first_frame_ms = ms_since(first);
        // The figures after it are those of the view at rest: its batches indexed, and their
        // coarse copy made, behind the first frame.
        while (view->preparing() && first.elapsed() < 10000)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    std::int64_t triangles() const { return logic->scene().counts.triangles; }
};

// Each figure its own line: the model named by its triangle count.
void print(const Opened& o, const char* figure, double value, const char* unit) {
    std::printf("%lld triangles%s  %s %.1f %s%s\n", static_cast<long long>(o.triangles()),
                o.view->textures_loaded() > 0 ? " textured" : "", figure, value, unit,
                o.view->drawing_failed() || !o.view->isValid() ? "  (no OpenGL)" : "");
}

// Textures load behind the view: waits until each found texture's load has ended; the time
// after the first frame.
void wait_for_textures(Opened& o) {
    const auto& loading = o.logic->picture().textures;
    const int found = loading ? static_cast<int>(loading->entries.size()) : 0;
    if (found == 0) return;
    QElapsedTimer textured;
    textured.start();
    while (o.logic->answered < found && textured.elapsed() < 20000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    std::printf(
        "%lld triangles  %d of %d textures loaded, %d shown, %.0f ms after the first "
        "frame\n",
        static_cast<long long>(o.triangles()), o.logic->answered, found, o.view->textures_loaded(),
        ms_since(textured));
}

// A full frame after the view turned a little, as when a drag ends: the median of runs.
double still_frame_ms(Opened& o, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        o.view->turn(0.05f);
        QElapsedTimer t;
        t.start();
        o.view->grabFramebuffer();
        times.push_back(ms_since(t));
    }
    return median(times);
}

// Wheel notches towards the middle of the view (negative: away).
void zoom(Opened& o, int notches) {
    const QPointF middle(500, 350);
    QWheelEvent wheel(middle, o.view->mapToGlobal(middle), {}, QPoint(0, 120 * notches),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(o.view.get(), &wheel);
}

// The still frame with the view 20 wheel notches nearer, so that more of the hull's triangles
// each cover pixels; the view is then as before.
double near_still_frame_ms(Opened& o, int runs) {
    zoom(o, 20);
    const double ms = still_frame_ms(o, runs);
    zoom(o, -20);
    return ms;
}

// A point where the view shows an item, found in a frame of item ids; the middle when none.
QPoint on_item(Opened& o) {
    for (int y = 350; y < 700; y += 350) {
        for (int step = 0; step < 500; step += 2) {
            for (const int x : {500 + step, 500 - step}) {
                if (o.view->item_at(QPoint(x, y)) >= 0 || o.view->item_at(QPoint(x, 700 - y)) >= 0)
                    return o.view->item_at(QPoint(x, y)) >= 0 ? QPoint(x, y) : QPoint(x, 700 - y);
            }
        }
    }
    return {500, 350};
}

// The pointer leaves the view, then comes to rest on an item after the view changed: the time
// from the end of the rest delay until the item under it is named (the median of runs).
double hover_ms(Opened& o, int runs) {
    std::vector<double> times;
    const QPoint at = on_item(o);
    for (int i = 0; i < runs; ++i) {
        o.view->turn(0);  // the same view, its frame of item ids no longer current
        o.view->grabFramebuffer();
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(o.view.get(), &leave);
        const int hovers = o.logic->hovers;
        QMouseEvent move(QEvent::MouseMove, at, o.view->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QElapsedTimer t;
        t.start();
        QApplication::sendEvent(o.view.get(), &move);
        while (o.logic->hovers == hovers && t.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        times.push_back(std::max(0.0, ms_since(t) - kRestMs));  // the rest timer may end early
    }
    return median(times);
}

// Orbiting as a left drag does: every move turns the view and the frame is drawn at once and
// read back, so every frame is counted whole. Frames a second.
double orbit_fps(Opened& o, int frames) {
    const QPoint middle(500, 350);
    QMouseEvent press(QEvent::MouseButtonPress, middle, o.view->mapToGlobal(middle), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(o.view.get(), &press);
    QElapsedTimer timer;
    timer.start();
    QPoint at = middle;
    for (int i = 0; i < frames; ++i) {
        at = middle + QPoint(2 * (i + 1), 0);
        QMouseEvent move(QEvent::MouseMove, at, o.view->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(o.view.get(), &move);
        o.view->grabFramebuffer();
    }
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    QMouseEvent release(QEvent::MouseButtonRelease, at, o.view->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(o.view.get(), &release);
    return frames / seconds;
}

// The model opened runs times for its first frame; the last view then measures the rest.
void measure(const std::string& model, int runs, int frames, const std::string& path = {}) {
    std::vector<double> firsts;
    for (int i = 0;; ++i) {
        auto o = std::make_unique<Opened>(model, path);
        firsts.push_back(o->first_frame_ms);
        if (i + 1 < runs) continue;
        wait_for_textures(*o);
        print(*o, "first frame", median(firsts), "ms");
        print(*o, "still frame", still_frame_ms(*o, runs), "ms");
        print(*o, "near still frame", near_still_frame_ms(*o, runs), "ms");
        print(*o, "orbit", orbit_fps(*o, frames), "frames/s");
        print(*o, "hover", hover_ms(*o, runs), "ms");
        return;
    }
}

// The sample ship untextured and textured, the 24 textured subobjects and the large model
// still and while a drag turns it: each frame as a PNG picture in folder.
void shoot(const std::string& folder) {
    std::string textured_model;
    const std::string textured_path = heavily_textured(&textured_model);
    const struct {
        const char* name;
        std::string model, path;
    } models[] = {
        {"sample", testing_pof::ship_model(), {}},
        {"textured", testing_pof::ship_model(), textured_sample()},
        {"dds", textured_model, textured_path},
        {"big", bench_models::triangle_heavy(1000000), {}},
    };
    for (const auto& m : models) {
        Opened o(m.model, m.path);
        wait_for_textures(o);
        o.view->turn(0.6f);
        o.view->grabFramebuffer().save(QString::fromStdString(folder + "/" + m.name + ".png"));
        zoom(o, 20);
        o.view->grabFramebuffer().save(QString::fromStdString(folder + "/" + m.name + "-near.png"));
        const QPoint middle(500, 350), at(530, 350);
        QMouseEvent press(QEvent::MouseButtonPress, middle, o.view->mapToGlobal(middle),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(o.view.get(), &press);
        QElapsedTimer waited;  // the coarse picture is made in the background
        waited.start();
        while (waited.elapsed() < 3000) QApplication::processEvents(QEventLoop::AllEvents, 50);
        QMouseEvent move(QEvent::MouseMove, at, o.view->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(o.view.get(), &move);
        o.view->grabFramebuffer().save(
            QString::fromStdString(folder + "/" + m.name + "-moving.png"));
    }
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
    // One line a figure, the model named by its triangle count, as measure() prints them.
    if (found > 0)
        std::printf("%lld triangles  shown %.0f ms  (%d textures: %s)\n", triangles, median(shown),
                    found, what);
    std::printf("%lld triangles  stall %.0f ms  (longest upload turn %.1f ms; medians of %d)\n",
                triangles, median(stall), median(turn), runs);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // "shot DIR": the frames drawn, saved as PNG pictures into DIR, to compare builds.
    if (argc > 2 && std::string(argv[1]) == "shot") {
        shoot(argv[2]);
        return 0;
    }
    // "big": the model of about 1,000,000 triangles alone.
    if (argc > 1 && std::string(argv[1]) == "big") {
        measure(bench_models::triangle_heavy(1000000), 5, 20);
        return 0;
    }
    measure(testing_pof::ship_model(), 7, 300);
    measure(testing_pof::ship_model(), 7, 300, textured_sample());
    std::string textured_model;
    const std::string textured_path = heavily_textured(&textured_model);
    measure(textured_model, 3, 100, textured_path);
    measure(bench_models::triangle_heavy(1000), 7, 200);
    measure(bench_models::triangle_heavy(1000000), 5, 20);
    texture_figures("the sample ship", testing_pof::ship_model(), 5);
    texture_figures("textured sample", testing_pof::ship_model(), 5, textured_sample());
    texture_figures("128 MiB of DDS", textured_model, 5, textured_path);
    texture_figures("one subobject", bench_models::triangle_heavy(1000), 5);
    texture_figures("52 subobjects", bench_models::triangle_heavy(1000000), 3);
    return 0;
}
