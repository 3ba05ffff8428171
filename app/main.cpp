// pofscope: the model store, the Qt desktop and windows, the main window's logic and the
// main window. The viewer takes no command-line arguments.

#include <QApplication>

#include "pof/global_data.h"
#include "shell/frmPOF.h"
#include "shell/view_windows.h"
#include "ui/main_window.h"
#include "ui/qt_desktop.h"
#include "ui/qt_windows.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("pofscope"));
    QGuiApplication::setDesktopFileName(QStringLiteral(POFSCOPE_APP_ID));

    pof::ModelStore store;
    ui::QtDesktop desktop;
    ui::QtWindows windows;
    shell::frmPOF form(store, desktop, windows);
    shell::install_view_windows(form, store, windows);
    windows.on_window_changed = [&form](std::string_view name) { form.window_changed(name); };
    ui::MainWindow window(form);
    desktop.set_dialog_parent(&window);
    desktop.before_modal = [&window] { window.sync(); };
    window.show();
    return QApplication::exec();
}
