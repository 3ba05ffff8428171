// Frames per second of the Model View's 3-D view while it orbits by a left drag, and what the
// pointer resting on the view costs (the frame of item ids, then a lookup per move): the
// sample ship untextured and with its four textures found beside it, a model of one
// subobject and a generated model of about 1,000,000 triangles, each uploaded once. Run under a
// real X server or Xvfb (xvfb-run -a build/bench/frame_bench); prints one line per model.

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QWindow>
#include <cstdio>
#include <filesystem>
#include <fstream>

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

// A ship of 24 subobjects, each textured by a TXTR name of its own, and its 24 textures of
// 2048 x 2048 DXT5 (4 MiB each, about 100 MB in all) beside it: how long until the Model
// View shows them all.
std::string heavily_textured(std::string* model) {
    constexpr int kTextures = 24, kSide = 2048;
    const fs::path folder = fs::temp_directory_path() / "pofscope-frame-bench-textures";
    fs::create_directories(folder);
    testing_pof::Bytes txtr;
    txtr.i32(kTextures);
    std::string blocks(std::size_t(kSide / 4) * (kSide / 4) * 16, '\0');
    std::uint32_t seed = 12345;
    for (char& c : blocks) c = static_cast<char>((seed = seed * 1664525u + 1013904223u) >> 24);
    for (int t = 0; t < kTextures; ++t) {
        const std::string name = "panel" + std::to_string(t);
        txtr.text(name);
        std::ofstream(folder / (name + ".dds"), std::ios::binary)
            << testing_pof::dds_header(kSide, kSide, "DXT5") << blocks;
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

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    measure("the sample ship", testing_pof::ship_model(), 300);
    measure("textured sample", testing_pof::ship_model(), 300, textured_sample());
    std::string textured_model;
    const std::string textured_path = heavily_textured(&textured_model);
    measure("100 MB of DDS", textured_model, 100, textured_path);
    measure("one subobject", bench_models::triangle_heavy(1000), 200);
    measure("52 subobjects", bench_models::triangle_heavy(1000000), 20);
    return 0;
}
