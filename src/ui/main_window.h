#pragma once
// The main window: the file label, the record list and the File and Window menus of
// shell::frmPOF, which does all the work. Beyond the menus it takes a dropped file, reads
// the open file again on F5 and copies itself as text.

#include <QElapsedTimer>
#include <QMainWindow>
#include <optional>
#include <string>
#include <vector>

#include "shell/frmPOF.h"

class QAction;
class QMenu;
class QMimeData;

namespace ui {

class ElidedLabel;
class TableView;

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainWindow(shell::frmPOF& form, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Label, list and menus from the form.
    void sync();
    // The files named on the command line, read once the event loop runs: the window shows
    // first, and any message box stands over it.
    void open_at_start(const std::vector<std::string>& files);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    struct MenuWidgets {
        QMenu* menu;
        std::vector<QAction*> actions;  // nullptr for separators
    };

    void build_menus();
    void add_reload_key();
    void sync_menus();
    void sync_label();
    void command(const std::string& entry_name);
    void paint(shell::frmPOF::Paint part);
    void paint_rows();
    void open_dropped(const std::string& path);

    shell::frmPOF& form_;
    ElidedLabel* label_;
    TableView* list_;
    std::vector<MenuWidgets> menus_;
    QElapsedTimer since_rows_painted_;
};

// The path of the one local file a drag carries; none for several files, a folder or
// anything else.
std::optional<std::string> dropped_file(const QMimeData* data);

}  // namespace ui
