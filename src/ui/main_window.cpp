#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QVBoxLayout>

#include "shell/main_window_text.h"
#include "ui/elided_label.h"
#include "ui/qt_text.h"
#include "ui/table_view.h"
#include "ui/window_copy.h"

namespace ui {

namespace {

// While a large file is read the list is painted at most this often; its rows are always
// up to date, only the painting is spared.
constexpr qint64 kRowsPaintIntervalMs = 33;

}  // namespace

MainWindow::MainWindow(shell::frmPOF& form, QWidget* parent) : QMainWindow(parent), form_(form) {
    setObjectName(QStringLiteral("frmPOF"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    label_ = new ElidedLabel(central);
    label_->setObjectName(qt_text(form.file_label().name));
    list_ = new TableView(
        form.record_list(), [this] { sync(); }, central);
    layout->addWidget(label_);
    layout->addWidget(list_, 1);
    setCentralWidget(central);
    build_menus();
    add_reload_key();
    new WindowCopy(this, [this] { return shell::main_window_text(form_); });
    setAcceptDrops(true);
    resize(320, 480);

    form_.on_paint = [this](shell::frmPOF::Paint part) { paint(part); };
    form_.window_opened();
    sync();
}

MainWindow::~MainWindow() {
    form_.on_paint = nullptr;
}

void MainWindow::build_menus() {
    for (const shell::Menu& menu : form_.menus()) {
        MenuWidgets widgets{menuBar()->addMenu(qt_text(menu.caption)), {}};
        widgets.menu->setObjectName(qt_text(menu.name));
        for (const shell::MenuEntry& entry : menu.entries) {
            if (entry.separator()) {
                widgets.menu->addSeparator();
                widgets.actions.push_back(nullptr);
                continue;
            }
            QAction* action = widgets.menu->addAction(qt_text(entry.caption));
            action->setObjectName(qt_text(entry.name));
            if (!entry.shortcut.empty()) action->setShortcut(QKeySequence(qt_text(entry.shortcut)));
            connect(action, &QAction::triggered, this,
                    [this, name = entry.name] { command(name); });
            widgets.actions.push_back(action);
        }
        menus_.push_back(std::move(widgets));
    }
}

// F5 only: the menus stay as they are. It works in every window of the program, and the
// window it was pressed in stays in front.
void MainWindow::add_reload_key() {
    auto* reload = new QAction(this);
    reload->setObjectName(QStringLiteral("reload"));
    reload->setShortcut(Qt::Key_F5);
    reload->setShortcutContext(Qt::ApplicationShortcut);
    connect(reload, &QAction::triggered, this, [this] {
        const QWidget* active = QApplication::activeWindow();
        form_.reload(active ? active->objectName().toStdString() : std::string());
        sync();
    });
    addAction(reload);
}

void MainWindow::sync() {
    setWindowTitle(qt_text(form_.title()));
    sync_label();
    list_->sync();
    sync_menus();
}

void MainWindow::sync_label() {
    const view::Value& label = form_.file_label();
    if (label.parts.empty()) {
        label_->set_full_text(qt_text(label.text));
    } else {
        label_->set_parts(label.parts);
    }
}

void MainWindow::sync_menus() {
    const auto& menus = form_.menus();
    for (std::size_t m = 0; m < menus.size() && m < menus_.size(); ++m) {
        menus_[m].menu->setTitle(qt_text(menus[m].caption));
        menus_[m].menu->menuAction()->setEnabled(menus[m].enabled);
        const auto& entries = menus[m].entries;
        for (std::size_t e = 0; e < entries.size() && e < menus_[m].actions.size(); ++e) {
            QAction* action = menus_[m].actions[e];
            if (!action) continue;
            action->setText(qt_text(entries[e].caption));
            action->setEnabled(entries[e].enabled);
        }
    }
}

void MainWindow::command(const std::string& entry_name) {
    form_.menu_command(entry_name);
    sync();
}

void MainWindow::paint(shell::frmPOF::Paint part) {
    switch (part) {
        case shell::frmPOF::Paint::FileLabel:
            // Comes right after the reset: the emptied list and menus show with the name.
            sync();
            repaint();
            break;
        case shell::frmPOF::Paint::Rows:
            paint_rows();
            break;
        case shell::frmPOF::Paint::Columns:
            sync();
            list_->size_columns();
            list_->repaint();
            since_rows_painted_.restart();
            break;
        case shell::frmPOF::Paint::Forward:
            sync();
            list_->scrollTo(list_->currentIndex());
            if (isMinimized()) showNormal();
            raise();
            activateWindow();
            break;
    }
}

void MainWindow::paint_rows() {
    list_->sync();
    if (since_rows_painted_.isValid() && since_rows_painted_.elapsed() < kRowsPaintIntervalMs) {
        return;
    }
    sync_menus();
    list_->repaint();
    since_rows_painted_.restart();
}

std::optional<std::string> dropped_file(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1) return std::nullopt;
    const QUrl& url = data->urls().first();
    if (!url.isLocalFile() || !QFileInfo(url.toLocalFile()).isFile()) return std::nullopt;
    return QFile::encodeName(url.toLocalFile()).toStdString();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (dropped_file(event->mimeData())) event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (dropped_file(event->mimeData())) event->acceptProposedAction();
}

// The read runs once the drop has ended, so the program the file came from is not kept
// waiting by it or by a message box.
void MainWindow::dropEvent(QDropEvent* event) {
    const auto path = dropped_file(event->mimeData());
    if (!path) return;
    event->acceptProposedAction();
    QMetaObject::invokeMethod(
        this, [this, path = *path] { open_dropped(path); }, Qt::QueuedConnection);
}

void MainWindow::open_at_start(const std::vector<std::string>& files) {
    if (files.empty()) return;
    QMetaObject::invokeMethod(
        this,
        [this, files] {
            form_.open_at_start(files);
            sync();
        },
        Qt::QueuedConnection);
}

void MainWindow::open_dropped(const std::string& path) {
    form_.open_file(path);
    sync();
}

// Closing the main window closes every viewer; it is never refused.
void MainWindow::closeEvent(QCloseEvent* event) {
    form_.closing();
    event->accept();
}

}  // namespace ui
