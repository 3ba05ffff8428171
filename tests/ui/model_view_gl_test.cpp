// The Model View's 3-D view under a real (software) OpenGL: it draws the model where the
// camera puts it, and a click on a gun point chooses that gun's row in its window.
#include <QComboBox>
#include <QImage>
#include <QtTest>

#include "app_fixture.h"
#include "shell/view_windows.h"
#include "sample_model.h"
#include "subobject_model.h"
#include "ui/model_view_widget.h"
#include "ui/viewer_window.h"

namespace {

using testing_pof::Bytes;
namespace bsp = testing_pof::bsp;

// A cube of side 10 around the origin, its six faces TMAPPOLY quads, and one gun in front.
std::string cube_ship() {
    std::vector<bsp::Vertex> corners;
    for (int i = 0; i < 8; ++i)
        corners.push_back({{i & 1 ? 5.f : -5.f, i & 2 ? 5.f : -5.f, i & 4 ? 5.f : -5.f}, {}});
    Bytes data = bsp::defpoints(corners);
    const std::int16_t faces[6][4] = {{0, 1, 3, 2}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                      {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 3, 7, 5}};
    for (const auto& f : faces) data.raw(bsp::tmappoly({{f[0]}, {f[1]}, {f[2]}, {f[3]}}, 0));
    testing_pof::SubobjectFields hull;
    hull.offset[0] = hull.offset[1] = hull.offset[2] = 0;
    hull.bsp = data.raw(bsp::eof());
    testing_pof::HeaderFields header;
    header.subobjects = 1;
    return testing_pof::PofBuilder(2117)
        .chunk("HDR2", testing_pof::header_body(2117, header))
        .chunk("OBJ2", testing_pof::subobject_body(2117, hull))
        .chunk("GPNT",
               Bytes().i32(2).i32(1).vec(3, 3, 3).vec(0, 0, 1).i32(1).vec(0, 0, 14).vec(0, 0, 1))
        .str();
}

bool background(QRgb pixel) {
    return std::abs(qRed(pixel) - 28) < 6 && std::abs(qGreen(pixel) - 31) < 6 &&
           std::abs(qBlue(pixel) - 38) < 6;
}

}  // namespace

class ModelViewGlTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void drawsTheModelAndLeadsBackToItsWindows() {
        testing_ui::App app;
        shell::install_view_windows(app.form, app.store, app.windows);
        app.windows.on_window_changed = [&app](std::string_view n) { app.form.window_changed(n); };
        app.open_bytes(cube_ship());
        app.action("IDM_MODEL_VIEW")->trigger();
        ui::ViewerWindow* window = app.windows.window("frmModelView");
        QVERIFY(window);
        ui::ModelViewWidget* view = window->picture_widget();
        QVERIFY2(view, "no OpenGL context under Xvfb");
        QVERIFY(QTest::qWaitForWindowExposed(window));
        view->fit();
        const QImage frame = view->grabFramebuffer();
        QVERIFY(!view->drawing_failed());
        const QPointF middle = view->project({0, 0, 0});
        QVERIFY(!background(frame.pixel(middle.toPoint())));
        for (const QPoint corner : {QPoint(2, 2), QPoint(frame.width() - 3, 2),
                                    QPoint(frame.width() - 3, frame.height() - 3)}) {
            QVERIFY(background(frame.pixel(corner)));
        }
        // Gun 0 of slot 1, clicked where the camera shows it.
        const QPoint gun = view->project({0, 0, 14}).toPoint();
        QTest::mouseClick(view, Qt::LeftButton, {}, gun);
        auto* slots = app.windows.window("frmGPNT")->findChild<QComboBox*>("cboSlots");
        QVERIFY(slots);
        QCOMPARE(slots->currentIndex(), 1);
    }
};

QTEST_MAIN(ModelViewGlTest)
#include "model_view_gl_test.moc"
