#pragma once
// The folders searched for textures: a modal list to add folders to and take them from, and
// the settings that keep them between runs.

#include <QString>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

namespace ui {

// The list as the user leaves it with OK; nothing when cancelled.
std::optional<std::vector<std::string>> edit_folders(QWidget* parent, const QString& title,
                                                     const std::vector<std::string>& current);

// The texture folders kept between runs (QSettings), and keeping them.
std::vector<std::string> saved_texture_folders();
void save_texture_folders(const std::vector<std::string>& folders);

}  // namespace ui
