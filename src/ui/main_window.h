#pragma once
// The main window: the file label, the record list and the File and Window menus of
// shell::frmPOF, which does all the work.

#include <QElapsedTimer>
#include <QMainWindow>
#include <string>
#include <vector>

#include "shell/frmPOF.h"

class QAction;
class QLabel;
class QMenu;

namespace ui {

class TableView;

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainWindow(shell::frmPOF& form, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Label, list and menus from the form.
    void sync();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    struct MenuWidgets {
        QMenu* menu;
        std::vector<QAction*> actions;  // nullptr for separators
    };

    void build_menus();
    void sync_menus();
    void sync_label();
    void command(const std::string& entry_name);
    void paint(shell::frmPOF::Paint part);
    void paint_rows();

    shell::frmPOF& form_;
    QLabel* label_;
    TableView* list_;
    std::vector<MenuWidgets> menus_;
    QElapsedTimer since_rows_painted_;
};

}  // namespace ui
