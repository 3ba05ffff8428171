#pragma once
// The desktop services with Qt: the open dialog, the stop message box, the busy cursor and
// the end of the program. Tests replace the two modal boxes through the hooks.

#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "view/desktop.h"

class QFileDialog;
class QMessageBox;
class QWidget;

namespace ui {

class QtDesktop : public view::Desktop {
  public:
    using DialogHook = std::function<view::OpenFileResult(const view::OpenFileRequest&)>;
    using MessageHook = std::function<void(const std::string& text)>;

    explicit QtDesktop(QString app_name = QStringLiteral("pofscope"));
    ~QtDesktop() override;
    QtDesktop(const QtDesktop&) = delete;
    QtDesktop& operator=(const QtDesktop&) = delete;

    view::OpenFileResult open_file(const view::OpenFileRequest& request) override;
    void stop_message(const std::string& text) override;
    void set_busy(bool busy) override;
    void quit() override;
    // Kept in the settings once chosen.
    std::optional<std::vector<std::string>> choose_folders(
        const std::string& title, const std::vector<std::string>& current,
        const std::string& start_folder) override;
    using FoldersHook =
        std::function<std::optional<std::vector<std::string>>(const std::vector<std::string>&)>;
    FoldersHook folders_hook;  // when set, stands in for the dialog
    view::OpenFileResult save_file(const view::SaveFileRequest& request) override;
    std::optional<std::string> ask_text(const std::string& title, const std::string& label,
                                        const std::string& initial) override;
    // When set, they stand in for the save dialog and the text question.
    std::function<view::OpenFileResult(const view::SaveFileRequest&)> save_hook;
    std::function<std::optional<std::string>(const std::string& initial)> text_hook;

    // The window the modal boxes are centred on when none of the program's windows is active;
    // otherwise they belong to the active one (the Model View's boxes to the Model View).
    void set_dialog_parent(QWidget* parent) { parent_ = parent; }
    QWidget* dialog_parent() const;
    int busy_depth() const { return busy_depth_; }

    // When set, they stand in for the real modal dialog and message box.
    DialogHook dialog_hook;
    MessageHook message_hook;
    // Runs before a modal box opens, so the windows behind it show what is current.
    std::function<void()> before_modal;

  private:
    QString app_name_;
    QPointer<QWidget> parent_;
    mutable QPointer<QWidget> last_owner_;
    int busy_depth_ = 0;
};

// The open dialog as the request describes it, not yet shown.
std::unique_ptr<QFileDialog> make_open_dialog(const view::OpenFileRequest& request,
                                              QWidget* parent = nullptr);
// A message box with the stop icon and an OK button, not yet shown.
std::unique_ptr<QMessageBox> make_stop_box(const QString& title, const std::string& text,
                                           QWidget* parent = nullptr);

}  // namespace ui
