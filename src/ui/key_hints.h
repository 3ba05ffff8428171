#pragma once
// Where the keys of a picture's actions are told: each toolbar button's tooltip names its
// keys, and a toolbar menu lists the actions that have no button, each with its keys.

#include <QList>
#include <QString>

class QAction;
class QObject;

namespace ui {

// "Fit (F, Home)": each action's tooltip with its keys.
void show_keys_in_tooltips(const QList<QAction*>& actions);

// A toolbar entry named text that opens a menu of the actions, their keys beside them.
QAction* key_menu_action(const QString& text, const QList<QAction*>& actions, QObject* parent);

}  // namespace ui
