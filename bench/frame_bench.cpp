// Frames per second of the Model View's 3-D view while it orbits by a left drag, and what the
// pointer resting on the view costs (the frame of item ids, then a lookup per move): the
// sample ship, a model of one subobject and a generated model of about 1,000,000 triangles,
// each uploaded once. Run under a real X server or Xvfb (xvfb-run -a
// build/bench/frame_bench); prints one line per model.

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QWindow>
#include <cstdio>

#include "scene/frmModelView.h"
#include "scene_models.h"
#include "session.h"
#include "ship_model.h"
#include "ui/model_view_widget.h"

namespace {

void measure(const char* what, const std::string& model, int frames) {
    testing_pof::Session s;
    s.read(model);
    scene::frmModelView logic(s.store);
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
        "(%d id frames)  at rest: id frame %6.1f ms, then %.2f us a move%s\n",
        what, static_cast<long long>(logic.scene().counts.triangles), upload_ms, frames / seconds,
        id_frames_orbiting, ids_ms, lookup_us,
        view.drawing_failed() || !view.isValid() ? "  (no OpenGL)" : "");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    measure("the sample ship", testing_pof::ship_model(), 300);
    measure("one subobject", bench_models::triangle_heavy(1000), 200);
    measure("52 subobjects", bench_models::triangle_heavy(1000000), 20);
    return 0;
}
