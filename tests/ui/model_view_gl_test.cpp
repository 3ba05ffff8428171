// The Model View's 3-D view under a real (software) OpenGL: it draws the sample ship where
// the camera puts it, the pointer resting on a gun point names it, and a click on it chooses
// that gun's row in its window.
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QtTest>
#include <fstream>
#include <map>
#include <memory>
#include <semaphore>

#include "app_fixture.h"
#include "sample_textures.h"
#include "scene/frmModelView.h"
#include "ship_model.h"
#include "ui/model_view_widget.h"
#include "ui/viewer_window.h"
#include "user_input.h"

namespace {

using testing_ui::choose;

bool background(QRgb pixel) {
    return std::abs(qRed(pixel) - 28) < 6 && std::abs(qGreen(pixel) - 31) < 6 &&
           std::abs(qBlue(pixel) - 38) < 6;
}

// The pointer moved with no button held, as the window system reports it.
void move_pointer(QWidget* view, const QPoint& at) {
    QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(view, &move);
}

// Opens the ship model, then its Model View from the View menu, with choices in the chunk
// windows reaching the view; null when the window did not open.
ui::ViewerWindow* open_ship_view(testing_ui::App& app) {
    app.windows.on_window_changed = [&app](std::string_view n) { app.form.window_changed(n); };
    app.open_bytes(testing_pof::ship_model());
    app.action("IDM_MODEL_VIEW")->trigger();
    return app.windows.window("frmModelView");
}

// The GL widget of a Model View window once the window is on the screen; null when there is no
// window, no OpenGL context or no exposure.
ui::ModelViewWidget* exposed_view(ui::ViewerWindow* window) {
    if (!window || !window->picture_widget() || !QTest::qWaitForWindowExposed(window))
        return nullptr;
    return window->picture_widget();
}

// The Model View's logic with a gate before each texture's load on the loader's thread: a
// load stays in progress until the test lets it through. Each set of textures (each time the
// model's textures are looked up) has a gate of its own.
class GatedView : public scene::frmModelView {
  public:
    using frmModelView::frmModelView;
    ~GatedView() override { open_gates(gates_.size()); }

    const view::Picture& picture() const override {
        shown_ = frmModelView::picture();
        if (shown_.textures != real_) {
            real_ = shown_.textures;
            auto gate = gates_.emplace_back(std::make_shared<std::counting_semaphore<>>(0));
            auto set = std::make_shared<view::PictureTextures>();
            for (const auto& entry : real_->entries) {
                set->entries.push_back({entry.number,
                                        [entry, gate](std::stop_token stop) {
                                            gate->acquire();
                                            return entry.load(stop);
                                        },
                                        {}});
            }
            gated_ = std::move(set);
        }
        shown_.textures = gated_;
        return shown_;
    }
    // Lets n loads of the latest set through.
    void let_through(std::ptrdiff_t n) { gates_.back()->release(n); }
    // Lets every load of the first `sets` sets through.
    void open_gates(std::size_t sets) {
        for (std::size_t i = 0; i < sets; ++i) gates_[i]->release(100);
    }

  private:
    mutable view::Picture shown_;
    mutable std::shared_ptr<const view::PictureTextures> real_, gated_;
    mutable std::vector<std::shared_ptr<std::counting_semaphore<>>> gates_;
};

// Opens the ship model with the sample's textures beside it.
void open_textured_ship(testing_ui::App& app) {
    for (const auto& t : testing_pof::sample_textures()) {
        std::ofstream(app.dir.filePath(QString::fromStdString(t.file_name)).toStdString(),
                      std::ios::binary)
            << t.bytes;
    }
    app.open_bytes(testing_pof::ship_model());
}

// The Model View's logic, keeping what each texture's load said.
class StatusView : public scene::frmModelView {
  public:
    using frmModelView::frmModelView;
    void texture_loaded(int number, const std::string& status) override {
        statuses[number] = status;
        frmModelView::texture_loaded(number, status);
    }
    std::map<int, std::string> statuses;
};

}  // namespace

class ModelViewGlTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void drawsTheModelAndLeadsBackToItsWindows() {
        testing_ui::App app;
        ui::ViewerWindow* window = open_ship_view(app);
        ui::ModelViewWidget* view = exposed_view(window);
        QVERIFY2(view, "no Model View with an OpenGL context on the screen");
        view->fit();
        const QImage frame = view->grabFramebuffer();
        QVERIFY(!view->drawing_failed());
        const QPointF middle = view->project({0, 0, 0});
        QVERIFY(!background(frame.pixel(middle.toPoint())));
        for (const QPoint corner : {QPoint(2, 2), QPoint(frame.width() - 3, 2),
                                    QPoint(frame.width() - 3, frame.height() - 3)}) {
            QVERIFY(background(frame.pixel(corner)));
        }
        // Gun 1 of slot 0: the pointer resting on it names it, found without drawing; then
        // every move names its item at once until the camera turns.
        const QPoint gun = view->project({3, -1.5f, 15}).toPoint();
        auto* status = window->findChild<QLabel*>("lblStatus");
        move_pointer(view, gun + QPoint(0, 40));
        move_pointer(view, gun);
        QTRY_COMPARE(status->text(), QString::fromUtf8("GPNT · Slot 0 · Gun 1 · (3, -1.5, 15)"));
        move_pointer(view, QPoint(2, 2));
        QCOMPARE(status->text(), QString());
        // A hull polygon's longer text leaves the picture where it is.
        const QSize size = view->size();
        move_pointer(view, view->project({3, 0, -12}).toPoint());
        QVERIFY2(status->text().startsWith(QString::fromUtf8("OBJ2 · subObject 0 · Block row")),
                 qPrintable(status->text()));
        QCoreApplication::sendPostedEvents(nullptr,
                                           QEvent::LayoutRequest);  // it reaches the layout
        QCOMPARE(view->size(), size);
        view->turn(0.3f);
        move_pointer(view, view->project({3, -1.5f, 15}).toPoint());
        QVERIFY(status->text().startsWith("OBJ2"));  // not while the pointer is still moving
        QTRY_COMPARE(status->text(), QString::fromUtf8("GPNT · Slot 0 · Gun 1 · (3, -1.5, 15)"));
        QCOMPARE(view->id_frames(), 0);
        view->turn(-0.3f);
        QTest::mouseClick(view, Qt::LeftButton, {}, gun);
        ui::ViewerWindow* guns = app.windows.window("frmGPNT");
        QVERIFY(guns);
        QCOMPARE(guns->findChild<QComboBox*>("cboPoints")->currentText(), QString("Gun 1"));
    }

    // Items are found without drawing as the frame of item ids finds them: on a grid of pointer
    // positions over the sample ship with every layer shown, from two sides, a subobject
    // hidden. Only pixels on the edge between two items may differ.
    void findsWithoutDrawingWhatTheFrameOfIdsShows() {
        testing_ui::App app;
        ui::ViewerWindow* window = open_ship_view(app);
        ui::ModelViewWidget* view = exposed_view(window);
        QVERIFY2(view, "no Model View with an OpenGL context on the screen");
        auto& logic = static_cast<scene::frmModelView&>(window->viewer());
        for (const auto& k : scene::kMarkerKindInfo) {
            if (!logic.shown(k.kind)) logic.toggle(k.kind);
        }
        view->fit();
        int compared = 0, differ = 0, items = 0;
        const auto compare = [&] {
            for (int y = 0; y < view->height(); y += 5) {
                for (int x = 0; x < view->width(); x += 5) {
                    const int drawn = view->drawn_item_at({x, y});
                    const int found = view->item_at({x, y});
                    ++compared;
                    items += drawn >= 0;
                    if (drawn != found) qInfo("at %d, %d: drawn %d, found %d", x, y, drawn, found);
                    differ += drawn != found;
                }
            }
        };
        compare();
        view->turn(2.5f);
        compare();
        logic.toggle_mesh(0);
        compare();
        qInfo("%d of %d pointer positions differ, %d on an item", differ, compared, items);
        QCOMPARE(view->id_frames(), 3);
        QVERIFY(items > compared / 10);
        QVERIFY2(differ <= compared / 1000, qPrintable(QString::number(differ)));
    }

    // The software renderer's picture of the window's camera covers what OpenGL covers, and
    // Ctrl+S writes it at the size typed; a size that is none writes nothing.
    void savesWhatTheViewShows() {
        testing_ui::App app;
        ui::ViewerWindow* window = open_ship_view(app);
        ui::ModelViewWidget* view = window->picture_widget();
        QVERIFY2(view, "no OpenGL context under Xvfb");
        QVERIFY(testing_ui::show_active(*window));  // Ctrl+S is the window's shortcut
        QVERIFY(QTest::qWaitForWindowExposed(window));
        view->turn(0.4f);
        const QImage frame = view->grabFramebuffer();
        const scene::RenderedImage drawn = view->picture_image(frame.width(), frame.height());
        // The axes in the corner are the window's alone.
        const int gizmo = 90;
        int differ = 0, covered = 0;
        for (int y = 0; y < frame.height() - gizmo; ++y) {
            for (int x = 0; x < frame.width(); ++x) {
                const std::uint8_t* p =
                    &drawn.rgba[(static_cast<std::size_t>(y) * drawn.width + x) * 4];
                const bool gl = !background(frame.pixel(x, y));
                covered += gl;
                differ += gl != !background(qRgb(p[0], p[1], p[2]));
            }
        }
        qInfo("software against OpenGL: %d of %d covered pixels differ", differ, covered);
        // The markers' shapes are held once uploaded, and made again for the software picture.
        auto& logic = static_cast<scene::frmModelView&>(window->viewer());
        QCOMPARE(logic.picture().shapes.size(), std::size_t{0});
        QVERIFY(logic.marker_shapes().size() > 10);
        QVERIFY2(covered > 2000, qPrintable(QString::number(covered)));
        QVERIFY2(differ < covered / 50, qPrintable(QString("%1 of %2").arg(differ).arg(covered)));

        const QString path = app.dir.filePath("saved.png");
        std::vector<std::string> asked;
        app.desktop.text_hook = [&](const std::string& initial) -> std::optional<std::string> {
            asked.push_back(initial);
            return asked.size() == 1 ? "64 x 48" : "0x48";
        };
        app.desktop.save_hook = [&](const view::SaveFileRequest& request) {
            // Beside the model, named after it.
            if (request.suggested_name != app.dir.filePath("model.png").toStdString())
                return view::OpenFileResult{};
            return view::OpenFileResult{
                view::OpenFileResult::Status::Chosen, path.toStdString(), {}};
        };
        view->setFocus();
        QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(asked.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(asked[0]), QString::number(view->width()) +
                                                       QString::fromUtf8("×") +
                                                       QString::number(view->height()));
        const QImage saved(path);
        QCOMPARE(saved.size(), QSize(64, 48));
        QFile::remove(path);
        view->save_action()->trigger();
        QCOMPARE(app.messages.size(), std::size_t{1});
        QVERIFY(!QFile::exists(path));
    }

    // A right drag pans without opening the menu; a right click without moving opens it. The
    // view keys work with the focus on the detail chooser, and the corner label follows.
    void rightDragPansAndKeysWorkWithTheFocusOnTheChooser() {
        testing_ui::App app;
        ui::ViewerWindow* window = open_ship_view(app);
        QVERIFY(window);
        ui::ModelViewWidget* view = window->picture_widget();
        QVERIFY2(view, "no OpenGL context under Xvfb");
        QVERIFY(testing_ui::show_active(*window));
        QSignalSpy menus(window, &QWidget::customContextMenuRequested);

        const QPoint start(view->width() / 2, view->height() / 2);
        const QVector3D before = view->target();
        QTest::mousePress(view, Qt::RightButton, {}, start);
        for (int step = 1; step <= 4; ++step) {
            const QPoint at = start + QPoint(15 * step, 0);
            QMouseEvent drag(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton,
                             Qt::RightButton, Qt::NoModifier);
            QApplication::sendEvent(view, &drag);
        }
        QTest::mouseRelease(view, Qt::RightButton, {}, start + QPoint(60, 0));
        QVERIFY((view->target() - before).length() > 0.1f);
        QCOMPARE(menus.count(), 0);
        testing_ui::close_next_popup();
        QTest::mouseClick(view, Qt::RightButton, {}, start);
        QCOMPARE(menus.count(), 1);

        auto* chooser = window->findChild<QComboBox*>("cboDetailLevels");
        QVERIFY(chooser);
        chooser->setFocus();
        QVERIFY(chooser->hasFocus());
        auto* label = view->findChild<QLabel*>("lblViewName");
        QVERIFY(label);
        QCOMPARE(label->text(), QString::fromUtf8("Free · Perspective"));
        QTest::keyClick(chooser, Qt::Key_5);
        QTest::keyClick(chooser, Qt::Key_1);
        QCOMPARE(label->text(), QString::fromUtf8("Front · Orthographic"));
        QTest::keyClick(chooser, Qt::Key_7, Qt::ControlModifier);
        QCOMPARE(label->text(), QString::fromUtf8("Bottom · Orthographic"));
        QCOMPARE(chooser->currentIndex(), 0);  // the keys moved the view, not the choice
    }

    // The wheel zooms towards the pointer: the point under it stays there. Shift+F frames the
    // item chosen in a window.
    void zoomsTowardsThePointerAndFramesTheChosenItem() {
        testing_ui::App app;
        ui::ViewerWindow* window = open_ship_view(app);
        ui::ModelViewWidget* view = exposed_view(window);
        QVERIFY2(view, "no Model View with an OpenGL context on the screen");
        view->fit();
        const QVector3D nose(0, 0, -14);  // on the view's side of the target, off its centre
        const QPointF before = view->project(nose);
        const QPoint at = before.toPoint();
        QWheelEvent wheel(at, view->mapToGlobal(at), {}, {0, 360}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &wheel);
        const QPointF after = view->project(nose);
        QVERIFY2((after - before).manhattanLength() < 0.05 * view->width(),
                 qPrintable(QString("%1,%2 -> %3,%4")
                                .arg(before.x())
                                .arg(before.y())
                                .arg(after.x())
                                .arg(after.y())));

        app.action("IDM_GPNT")->trigger();
        choose(app.windows.window("frmGPNT")->findChild<QComboBox*>("cboSlots"), 0);
        choose(app.windows.window("frmGPNT")->findChild<QComboBox*>("cboPoints"), 1);
        QVERIFY(view->frame_highlight());
        // Picture coordinates are left-handed; the camera's z runs the other way.
        QVERIFY((view->target() - QVector3D(3, -1.5f, -15)).length() < 1.0f);
    }

    // The sample's textures load on a thread of their own. The view looks them up again, or
    // closes, while the turret's load is held at its gate: the window's thread goes on (it
    // would wait for ever for the gate it opens next), and what that load gives is dropped.
    void aTextureLoadingWhileTheViewReloadsOrClosesIsDropped() {
        testing_ui::App app;
        open_textured_ship(app);
        GatedView logic(app.store);
        logic.opened();
        auto view = std::make_unique<ui::ModelViewWidget>(logic);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        view->grabFramebuffer();  // the first frame uploads the picture and starts the loader
        QSignalSpy arrived(view.get(), &ui::ModelViewWidget::texture_arrived);
        logic.let_through(1);
        QVERIFY(arrived.wait());  // the hull's; the turret's load waits at the gate

        const auto reload = [&] {
            logic.opened();
            view->grabFramebuffer();  // the new set replaces the loader of the one before
        };
        reload();
        logic.open_gates(1);
        logic.let_through(4);
        while (arrived.count() < 5) QVERIFY(arrived.wait());
        ui::TextureLoader::join_stopped();
        QCoreApplication::sendPostedEvents();  // anything the first set's thread queued
        QCOMPARE(arrived.count(), 5);
        QCOMPARE(view->textures_loaded(), 4);

        reload();
        logic.let_through(1);
        QVERIFY(arrived.wait());
        view.reset();  // closed while the turret's load waits at the gate
        logic.open_gates(3);
        ui::TextureLoader::join_stopped();
        QCoreApplication::sendPostedEvents();
    }

    // The sample's DXT textures reach the GL compressed, as stored, where it takes S3TC (Mesa's
    // llvmpipe does), and decoded where it does not; its PNG and PCX textures are decoded.
    void dxtTexturesGoCompressedWhereTheGlTakesThem() {
        testing_ui::App app;
        open_textured_ship(app);
        StatusView logic(app.store);
        logic.opened();
        ui::ModelViewWidget view(logic);
        QSignalSpy arrived(&view, &ui::ModelViewWidget::texture_arrived);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.grabFramebuffer();  // the first frame starts the loader, if showing did not
        while (arrived.count() < 4) QVERIFY(arrived.wait());
        QVERIFY(view.context());
        const bool s3tc = view.context()->hasExtension("GL_EXT_texture_compression_s3tc");
        QCOMPARE(logic.statuses.size(), std::size_t{4});
        for (const auto& [number, status] : logic.statuses) {
            const bool dxt = status.starts_with("DDS DXT");
            QCOMPARE(status.ends_with(", compressed, 1 level"), dxt && s3tc);
        }
        QCOMPARE(view.textures_loaded(), 4);
        // The textured frame differs from the tints alone.
        const QImage textured = view.grabFramebuffer();
        view.set_textures_shown(false);
        QVERIFY(view.grabFramebuffer() != textured);
    }

    // A view drawn before it is on the screen draws the picture's corners as they are; from its
    // second frame the batches are indexed behind it, and the indexed frame is the same.
    void drawsTheSameBeforeAndAfterIndexing() {
        testing_ui::App app;
        open_textured_ship(app);
        StatusView logic(app.store);
        logic.opened();
        ui::ModelViewWidget view(logic);
        view.resize(400, 300);
        view.set_textures_shown(false);  // they arrive meanwhile
        const QImage corners = view.grabFramebuffer();
        QVERIFY(!view.preparing());
        view.turn(0);
        QCOMPARE(view.grabFramebuffer(), corners);
        QTRY_VERIFY(!view.preparing());
        view.turn(0);
        QCOMPARE(view.grabFramebuffer(), corners);
    }
};

QTEST_MAIN(ModelViewGlTest)
#include "model_view_gl_test.moc"
