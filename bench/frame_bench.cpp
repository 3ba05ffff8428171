// Frames per second of the Model View's 3-D view while it orbits: a model of one subobject
// and a generated model of about 1,000,000 triangles, each uploaded once. Run under a real
// X server or Xvfb (xvfb-run -a build/bench/frame_bench); prints one line per model.

#include <QApplication>
#include <QElapsedTimer>
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
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < frames; ++i) {
        view.turn(0.02f);
        // Draws the frame at once and reads it back, so every frame is counted whole.
        view.grabFramebuffer();
    }
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    std::printf("%-28s %9lld triangles  first frame (upload) %8.1f ms  %7.1f frames/s%s\n", what,
                static_cast<long long>(logic.scene().counts.triangles), upload_ms, frames / seconds,
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
