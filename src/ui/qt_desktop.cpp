#include "ui/qt_desktop.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <algorithm>

#include "ui/folder_list_dialog.h"
#include "ui/qt_text.h"

namespace ui {

namespace {

// The normal arrow while a modal box waits for the user, even in the middle of a read.
class ArrowWhileBusy {
  public:
    explicit ArrowWhileBusy(bool busy) : busy_(busy) {
        if (busy_) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowWhileBusy() {
        if (busy_) QApplication::restoreOverrideCursor();
    }
    ArrowWhileBusy(const ArrowWhileBusy&) = delete;
    ArrowWhileBusy& operator=(const ArrowWhileBusy&) = delete;

  private:
    bool busy_;
};

// Qt's own default suffix is added to every typed name without one, so an existing file
// named "ship" could not be opened; without it, "sample" would not find sample.pof. The
// suffix is therefore chosen as the name is typed: none while the name as typed exists, the
// default one otherwise. Open is enabled while the name so completed is a file or folder that
// exists: the dialog's own judgement goes by its folder listing, which is read in the
// background and may lag behind the typing.
class OpenDialog : public QFileDialog {
  public:
    OpenDialog(QWidget* parent, const QString& title, QString suffix, bool archive_members)
        : QFileDialog(parent, title), suffix_(std::move(suffix)), members_(archive_members) {
        setOption(QFileDialog::DontUseNativeDialog, true);
        setDefaultSuffix(suffix_);
        if (auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
            connect(edit, &QLineEdit::textChanged, this, [this](const QString& typed) {
                const bool as_typed =
                    !typed.isEmpty() && QFileInfo::exists(directory().filePath(typed));
                setDefaultSuffix(as_typed ? QString() : suffix_);
                if (open_) open_->setEnabled(name_exists());
            });
        }
    }

  protected:
    // The buttons are made anew whenever the accept mode is set: the Open button is looked
    // for once the dialog shows.
    void showEvent(QShowEvent* event) override {
        auto* buttons = findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        open_ = buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
        if (open_) open_->installEventFilter(this);
        QFileDialog::showEvent(event);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == open_ && event->type() == QEvent::EnabledChange && !open_->isEnabled() &&
            name_exists())
            open_->setEnabled(true);
        return QFileDialog::eventFilter(watched, event);
    }

  public:
    // Qt leaves the suffix off a name that names a folder in the program's working folder
    // ("sample" beside build/sample): the name typed gets it here when only that file exists.
    void accept() override {
        auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        const QStringList files = selectedFiles();
        // Qt's dialog refuses a name that is no file; an archive member is taken as typed.
        if (files.size() == 1 && member(files.first())) {
            QDialog::accept();  // NOLINT(bugprone-parent-virtual-call): not the file check
            return;
        }
        if (edit && files.size() == 1 && completed(files.first()) != files.first())
            edit->setText(edit->text() + QLatin1Char('.') + suffix_);
        QFileDialog::accept();
    }

  private:
    QString completed(const QString& file) const {
        const QString with_suffix = file + QLatin1Char('.') + suffix_;
        const bool add =
            !suffix_.isEmpty() && !QFileInfo::exists(file) && QFileInfo(with_suffix).isFile();
        return add ? with_suffix : file;
    }

    // "ARCHIVE.vp:PATH" where the archive exists and the whole name does not.
    bool member(const QString& file) const {
        const qsizetype colon = file.indexOf(QLatin1Char(':'));
        return members_ && colon > 0 && !QFileInfo::exists(file) &&
               QFileInfo(file.left(colon)).isFile();
    }

    bool name_exists() const {
        const QStringList files = selectedFiles();
        return !files.isEmpty() &&
               std::all_of(files.begin(), files.end(), [this](const QString& f) {
                   return QFileInfo::exists(completed(f)) || member(f);
               });
    }

    QString suffix_;
    bool members_;
    QPointer<QPushButton> open_;
};

}  // namespace

std::unique_ptr<QFileDialog> make_open_dialog(const view::OpenFileRequest& request,
                                              QWidget* parent) {
    auto dialog = std::make_unique<OpenDialog>(
        parent, qt_text(request.title), qt_text(request.default_suffix), request.archive_members);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(request.file_must_exist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // Qt's dialog has no read-only box to hide; the viewer only reads, so no file may be
    // renamed or deleted from the dialog either.
    dialog->setOption(QFileDialog::ReadOnly, request.hide_read_only);
    return dialog;
}

std::unique_ptr<QMessageBox> make_stop_box(const QString& title, const std::string& text,
                                           QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Critical, title, qt_text(text),
                                             QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    return box;
}

QWidget* QtDesktop::dialog_parent() const {
    // A window that a read closed is hidden and about to be deleted, with any box it holds.
    // Right after a box closed no window may be active yet: the one a box was last given
    // stays the owner (the picture size, then the file, of Save Picture).
    QWidget* active = QApplication::activeWindow();
    if (active && active->isVisible()) last_owner_ = active;
    if (last_owner_ && last_owner_->isVisible()) return last_owner_;
    return parent_.data();
}

QtDesktop::QtDesktop(QString app_name) : app_name_(std::move(app_name)) {}

QtDesktop::~QtDesktop() {
    while (busy_depth_ > 0) set_busy(false);
}

view::OpenFileResult QtDesktop::open_file(const view::OpenFileRequest& request) {
    if (before_modal) before_modal();
    if (dialog_hook) return dialog_hook(request);
    view::OpenFileResult result;
    auto dialog = make_open_dialog(request, dialog_parent());
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        result.status = view::OpenFileResult::Status::Cancelled;
        return result;
    }
    result.status = view::OpenFileResult::Status::Chosen;
    result.path = QFile::encodeName(dialog->selectedFiles().first()).toStdString();
    return result;
}

void QtDesktop::stop_message(const std::string& text) {
    if (before_modal) before_modal();
    ArrowWhileBusy arrow(busy_depth_ > 0);
    if (message_hook) {
        message_hook(text);
        return;
    }
    make_stop_box(app_name_, text, dialog_parent())->exec();
}

void QtDesktop::set_busy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++busy_depth_;
    } else if (busy_depth_ > 0) {
        QApplication::restoreOverrideCursor();
        --busy_depth_;
    }
}

void QtDesktop::quit() {
    QCoreApplication::exit(0);
}

std::optional<std::vector<std::string>> QtDesktop::choose_folders(
    const std::string& title, const std::vector<std::string>& current,
    const std::string& start_folder) {
    if (before_modal) before_modal();
    auto chosen = folders_hook ? folders_hook(current)
                               : edit_folders(dialog_parent(), qt_text(title), current,
                                              qt_text(start_folder));
    if (chosen) save_texture_folders(*chosen);
    return chosen;
}

view::OpenFileResult QtDesktop::save_file(const view::SaveFileRequest& request) {
    if (before_modal) before_modal();
    if (save_hook) return save_hook(request);
    QFileDialog dialog(dialog_parent(), qt_text(request.title), qt_text(request.suggested_name),
                       qt_text(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(qt_text(request.default_suffix));
    view::OpenFileResult result;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return result;
    result.status = view::OpenFileResult::Status::Chosen;
    result.path = QFile::encodeName(dialog.selectedFiles().first()).toStdString();
    return result;
}

std::optional<std::string> QtDesktop::ask_text(const std::string& title, const std::string& label,
                                               const std::string& initial) {
    if (before_modal) before_modal();
    if (text_hook) return text_hook(initial);
    bool ok = false;
    const QString text = QInputDialog::getText(dialog_parent(), qt_text(title), qt_text(label),
                                               QLineEdit::Normal, qt_text(initial), &ok);
    if (!ok) return std::nullopt;
    return text.toStdString();
}

}  // namespace ui
