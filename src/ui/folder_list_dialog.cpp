#include "ui/folder_list_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace ui {

namespace {

const QString kSettingsKey = QStringLiteral("textureFolders");

QSettings settings() {
    return QSettings(QStringLiteral("pofscope"), QStringLiteral("pofscope"));
}

}  // namespace

std::optional<std::vector<std::string>> edit_folders(QWidget* parent, const QString& title,
                                                     const std::vector<std::string>& current,
                                                     const QString& start_folder) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("dlgTextureFolders"));
    dialog.setWindowTitle(title);
    auto* purpose = new QLabel(
        QObject::tr("Textures are looked for in these folders first, top to bottom, then beside "
                    "the model, in its maps folders and in the VP archives of its mod."),
        &dialog);
    purpose->setObjectName(QStringLiteral("lblPurpose"));
    purpose->setWordWrap(true);
    auto* list = new QListWidget(&dialog);
    for (const auto& folder : current) list->addItem(QString::fromStdString(folder));
    auto* add = new QPushButton(QObject::tr("&Add\u2026"), &dialog);
    auto* remove = new QPushButton(QObject::tr("&Remove"), &dialog);
    QObject::connect(add, &QPushButton::clicked, &dialog, [&] {
        const QString folder = QFileDialog::getExistingDirectory(&dialog, title, start_folder);
        if (!folder.isEmpty()) list->addItem(folder);
    });
    QObject::connect(remove, &QPushButton::clicked, &dialog,
                     [list] { delete list->currentItem(); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* side = new QVBoxLayout;
    side->addWidget(add);
    side->addWidget(remove);
    side->addStretch();
    auto* row = new QHBoxLayout;
    row->addWidget(list, 1);
    row->addLayout(side);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(purpose);
    layout->addLayout(row);
    layout->addWidget(buttons);
    dialog.resize(520, 280);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    std::vector<std::string> folders;
    for (int i = 0; i < list->count(); ++i) folders.push_back(list->item(i)->text().toStdString());
    return folders;
}

std::vector<std::string> saved_texture_folders() {
    std::vector<std::string> folders;
    for (const QString& f : settings().value(kSettingsKey).toStringList()) {
        folders.push_back(f.toStdString());
    }
    return folders;
}

void save_texture_folders(const std::vector<std::string>& folders) {
    QStringList list;
    for (const auto& f : folders) list.append(QString::fromStdString(f));
    settings().setValue(kSettingsKey, list);
}

}  // namespace ui
