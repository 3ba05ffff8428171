// pofscope: the model store, the Qt desktop and windows, the main window's logic and the
// main window. A POF file named on the command line is read once the window shows.

#include <QApplication>
#include <iostream>
#include <string>
#include <vector>

#include "pof/global_data.h"
#include "shell/command_line.h"
#include "shell/frmPOF.h"
#include "ui/folder_list_dialog.h"
#include "ui/main_window.h"
#include "ui/qt_desktop.h"
#include "ui/qt_windows.h"

namespace {

shell::CommandLine command_line(int argc, char** argv) {
    return shell::parse_command_line(std::vector<std::string>(argv + 1, argv + argc));
}

// What a command line that starts no window prints, and the program's exit status.
int answer(const shell::CommandLine& line) {
    switch (line.action) {
        case shell::CommandLine::Action::Help:
            std::cout << shell::usage_text();
            return 0;
        case shell::CommandLine::Action::Version:
            std::cout << "pofscope " POFSCOPE_VERSION "\n";
            return 0;
        case shell::CommandLine::Action::BadUsage:
            std::cerr << "pofscope: " << line.error << "\n\n" << shell::usage_text();
            return 2;
        case shell::CommandLine::Action::Start:
            break;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Answered before the desktop is reached, so they work without a display.
    const shell::CommandLine line = command_line(argc, argv);
    if (line.action != shell::CommandLine::Action::Start) return answer(line);
    QApplication app(argc, argv);  // takes the toolkit's own options (-platform, ...) out of argv
    QApplication::setApplicationName(QStringLiteral("pofscope"));
    QGuiApplication::setDesktopFileName(QStringLiteral(POFSCOPE_APP_ID));

    pof::ModelStore store;
    store.texture_folders = ui::saved_texture_folders();
    ui::QtDesktop desktop;
    ui::QtWindows windows;
    windows.desktop = &desktop;
    shell::frmPOF form(store, desktop, windows);
    windows.on_window_changed = [&form](std::string_view name) { form.window_changed(name); };
    ui::MainWindow window(form);
    desktop.set_dialog_parent(&window);
    desktop.before_modal = [&window] { window.sync(); };
    window.show();
    window.open_at_start(line.files);
    return QApplication::exec();
}
