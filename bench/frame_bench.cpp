// Frames per second of the Model View's 3-D view while it orbits: a model of one subobject
// and a generated model of about 1,000,000 triangles, each uploaded once. Run under a real
// X server or Xvfb (xvfb-run -a build/bench/frame_bench); prints one line per model.

#include <QApplication>
#include <QElapsedTimer>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <cstdio>

#include "scene/frmModelView.h"
#include "scene_models.h"
#include "session.h"
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
    QApplication::processEvents();
    view.repaint();  // the upload happens on the first frame
    view.makeCurrent();
    view.context()->functions()->glFinish();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < frames; ++i) {
        view.turn(0.02f);
        view.repaint();
        view.makeCurrent();
        view.context()->functions()->glFinish();
    }
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    std::printf("%-40s %9lld triangles  %7.1f frames/s\n", what,
                static_cast<long long>(logic.scene().counts.triangles), frames / seconds);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    measure("one subobject", bench_models::triangle_heavy(1000), 200);
    measure("52 subobjects", bench_models::triangle_heavy(1000000), 20);
    return 0;
}
