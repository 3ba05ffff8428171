// The whole program's Model View over one large model, as a user opens it: File > Open, then
// View > Model View, until the first frame is drawn and every texture found has arrived.
// Prints the time to each, the longest the window's event loop went without answering while
// the textures arrived, and the process's peak memory. Run under Xvfb:
//   xvfb-run -a build/bench/model_view_bench FILE
// Models to try: make_read_models glow FILE [N] (a GLOW bank of N points), or
//   model_view_bench --textures FOLDER N
// which first writes FOLDER/model.pof naming N textures, each a 1-pixel PNG beside it.

#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QOpenGLContext>
#include <QTimer>
#include <QTreeView>
#include <QWindow>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "every_chunk_model.h"
#include "pof/global_data.h"
#include "pof_builder.h"
#include "shell/frmPOF.h"
#include "subobject_model.h"
#include "texture_writers.h"
#include "ui/main_window.h"
#include "ui/model_view_widget.h"
#include "ui/qt_desktop.h"
#include "ui/qt_windows.h"
#include "ui/viewer_window.h"

namespace {

namespace fs = std::filesystem;

// A model of one textured triangle whose TXTR chunk names count textures, and a 1-pixel PNG
// for each name beside it.
std::string write_textured(const fs::path& folder, int count) {
    fs::create_directories(folder);
    testing_pof::RgbaPixels pixel(1, 1);
    pixel.at(0, 0)[0] = pixel.at(0, 0)[3] = 255;
    const std::string png = testing_pof::png_file(pixel);
    testing_pof::Bytes txtr;
    txtr.i32(count);
    for (int t = 0; t < count; ++t) {
        const std::string name = "lamp" + std::to_string(t);
        txtr.text(name);
        std::ofstream(folder / (name + ".png"), std::ios::binary) << png;
    }
    namespace bsp = testing_pof::bsp;
    testing_pof::PofBuilder b(2117);
    b.chunk("HDR2", testing_pof::header_body(2117, {.subobjects = 1}));
    b.chunk("TXTR", txtr);
    const auto data = bsp::defpoints({{{0, 0, 0}, {}}, {{1, 0, 0}, {}}, {{0, 1, 0}, {}}})
                          .raw(bsp::tmappoly({{0, 0, 0, 0}, {1, 0, 1, 0}, {2, 0, 0, 1}}, 0))
                          .raw(bsp::eof());
    b.chunk("OBJ2", testing_pof::subobject_body(2117, {.number = 0, .bsp = data}));
    const fs::path model = folder / "model.pof";
    std::ofstream(model, std::ios::binary) << b.str();
    return model.string();
}

// The process's resident memory now, in MiB.
double resident_mib() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024;
    }
    return 0;
}

double ms(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::string path;
    if (argc == 4 && std::string(argv[1]) == "--textures") {
        path = write_textured(argv[2], std::stoi(argv[3]));
    } else if (argc == 2) {
        path = argv[1];
    } else {
        std::fprintf(stderr, "usage: %s FILE | --textures FOLDER N\n", argv[0]);
        return 2;
    }

    pof::ModelStore store;
    ui::QtDesktop desktop;
    ui::QtWindows windows;
    windows.desktop = &desktop;
    desktop.dialog_hook = [&path](const view::OpenFileRequest&) {
        return view::OpenFileResult{view::OpenFileResult::Status::Chosen, path, {}};
    };
    desktop.message_hook = [](const std::string& text) {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    };
    shell::frmPOF form(store, desktop, windows);
    windows.on_window_changed = [&form](std::string_view name) { form.window_changed(name); };
    ui::MainWindow window(form);
    desktop.set_dialog_parent(&window);
    window.show();

    QElapsedTimer total;
    total.start();
    window.findChild<QAction*>("IDM_OPEN")->trigger();
    const double read_ms = ms(total);
    const double after_read = resident_mib();
    QElapsedTimer opening;
    opening.start();
    window.findChild<QAction*>("IDM_MODEL_VIEW")->trigger();
    ui::ViewerWindow* model_view = windows.window("frmModelView");
    const double after_open = resident_mib();
    ui::ModelViewWidget* view = model_view ? model_view->picture_widget() : nullptr;
    if (!view) {
        std::fprintf(stderr, "the Model View did not open with a picture\n");
        return 1;
    }
    while (!model_view->windowHandle() || !model_view->windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    const double before_frame = resident_mib();

    view->grabFramebuffer();  // the first frame: the picture's upload
    const double open_ms = ms(opening);
    const QSurfaceFormat format = view->context()->format();
    std::printf(
        "OpenGL %s%d.%d; resident %.0f MiB after the read, %.0f MiB once the Model View is "
        "made, %.0f MiB once shown, %.0f MiB after the first frame\n",
        view->context()->isOpenGLES() ? "ES " : "", format.majorVersion(), format.minorVersion(),
        after_read, after_open, before_frame, resident_mib());

    // Every texture found has arrived; meanwhile a timer of 10 ms measures how long the event
    // loop went without answering.
    auto* textures = model_view->findChild<QTreeView*>("lvwTextures");
    const int rows = textures ? textures->model()->rowCount() : 0;
    QElapsedTimer arriving, since_tick;
    arriving.start();
    since_tick.start();
    double longest_gap = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest_gap = std::max(longest_gap, ms(since_tick));
        since_tick.restart();
    });
    tick.start(10);
    int last = -1;
    QElapsedTimer quiet;
    quiet.start();
    while (quiet.elapsed() < 3000 && arriving.elapsed() < 600000) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        if (view->textures_loaded() != last) {
            last = view->textures_loaded();
            quiet.restart();
        }
        if (rows > 0 && last >= rows) break;
    }
    const double arrived_ms = ms(arriving) - (last >= rows ? 0 : 3000);
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf(
        "%s: read %.0f ms; Model View first frame %.0f ms after View > Model View; %d "
        "Textures rows, %d textures on the hull %.0f ms later, the event loop answering within "
        "%.0f ms throughout; peak RSS %.0f MiB\n",
        path.c_str(), read_ms, open_ms, rows, last, arrived_ms, longest_gap,
        static_cast<double>(usage.ru_maxrss) / 1024);
    return 0;
}
