#pragma once
// The whole program as main() puts it together, with the open dialog and the message box
// answered by the test.

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTreeView>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "pof/global_data.h"
#include "shell/frmPOF.h"
#include "ui/main_window.h"
#include "ui/qt_desktop.h"
#include "ui/qt_windows.h"

namespace testing_ui {

struct App {
    App() {
        desktop.dialog_hook = [this](const view::OpenFileRequest& request) {
            requests.push_back(request);
            return next_dialog;
        };
        desktop.message_hook = [this](const std::string& text) {
            messages.push_back(text);
            if (on_message) on_message();
        };
        desktop.set_dialog_parent(&window);
        desktop.before_modal = [this] { window.sync(); };
        windows.desktop = &desktop;
    }

    // Writes the bytes to a file of the given name and opens it with File > Open.
    std::string open_bytes(const std::string& bytes, const QString& file_name = "model.pof") {
        const std::string path = dir.filePath(file_name).toStdString();
        std::ofstream(path, std::ios::binary) << bytes;
        next_dialog = {view::OpenFileResult::Status::Chosen, path, {}};
        action("IDM_OPEN")->trigger();
        return path;
    }

    QAction* action(const char* name) { return window.findChild<QAction*>(name); }
    QMenu* menu(const char* name) { return window.findChild<QMenu*>(name); }
    QTreeView* list() { return window.findChild<QTreeView*>("ListView1"); }
    QString cell(int row, int column) {
        return list()->model()->index(row, column).data().toString();
    }

    QTemporaryDir dir;
    pof::ModelStore store;
    ui::QtDesktop desktop;
    ui::QtWindows windows;
    shell::frmPOF form{store, desktop, windows};
    ui::MainWindow window{form};

    view::OpenFileResult next_dialog;
    std::vector<view::OpenFileRequest> requests;
    std::vector<std::string> messages;
    std::function<void()> on_message;
};

// Lets windows closed in code be deleted.
inline void run_deferred_deletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace testing_ui
