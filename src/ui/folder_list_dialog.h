#pragma once
// The folders searched for textures: a modal list to add folders to and take them from, and
// the settings that keep them between runs.

#include <QString>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

namespace ui {

// The list as the user leaves it with OK; nothing when cancelled. Add… starts in
// start_folder (the model's; the working folder when empty).
std::optional<std::vector<std::string>> edit_folders(QWidget* parent, const QString& title,
                                                     const std::vector<std::string>& current,
                                                     const QString& start_folder);

// The texture folders kept between runs (QSettings), and keeping them.
std::vector<std::string> saved_texture_folders();
void save_texture_folders(const std::vector<std::string>& folders);

}  // namespace ui
