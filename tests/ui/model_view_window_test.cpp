// The Model View window without OpenGL (the offscreen platform has none): it says so, its
// controls work, and it follows a choice made in another window.
#include <QComboBox>
#include <QLabel>
#include <QtTest>

#include "app_fixture.h"
#include "every_chunk_model.h"
#include "ui/viewer_window.h"
#include "user_input.h"

using testing_ui::App;
using testing_ui::choose;

class ModelViewWindowTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void saysItCannotDrawAndStillFollowsTheWindows() {
        App app;
        app.windows.on_window_changed = [&app](std::string_view n) { app.form.window_changed(n); };
        app.open_bytes(testing_pof::every_chunk_model(2117));
        app.action("IDM_MODEL_VIEW")->trigger();
        ui::ViewerWindow* view = app.windows.window("frmModelView");
        QVERIFY(view);
        QCOMPARE(view->windowTitle(), QString("Model View \u2014 model.pof"));
        QVERIFY(!view->picture_widget());
        QVERIFY(view->findChild<QLabel*>("lblNoOpenGL"));

        app.action("IDM_GPNT")->trigger();
        auto* slots = app.windows.window("frmGPNT")->findChild<QComboBox*>("cboSlots");
        choose(slots, 1);
        QCOMPARE(view->findChild<QLabel*>("lblStatus")->text(),
                 QString::fromUtf8("GPNT · Slot 1 · Gun 0 · (1, 0, 1.5)"));
    }
};

QTEST_MAIN(ModelViewWindowTest)
#include "model_view_window_test.moc"
