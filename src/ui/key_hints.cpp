#include "ui/key_hints.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QStringList>
#include <QToolButton>
#include <QWidgetAction>

namespace ui {

void show_keys_in_tooltips(const QList<QAction*>& actions) {
    for (QAction* action : actions) {
        QStringList keys;
        for (const QKeySequence& key : action->shortcuts())
            keys << key.toString(QKeySequence::NativeText);
        QString tip = action->text();
        tip.remove(QStringLiteral("&"));
        if (!keys.isEmpty()) tip += QStringLiteral(" (") + keys.join(QStringLiteral(", ")) + ')';
        action->setToolTip(tip);
    }
}

QAction* key_menu_action(const QString& text, const QList<QAction*>& actions, QObject* parent) {
    // The button owns its menu; the toolbar owns the button once it shows the action.
    auto* button = new QToolButton;
    button->setText(text);
    button->setToolTip(text + QStringLiteral(": the keys of the view"));
    button->setPopupMode(QToolButton::InstantPopup);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* menu = new QMenu(button);
    menu->addActions(actions);
    button->setMenu(menu);
    auto* holder = new QWidgetAction(parent);
    holder->setText(text);
    holder->setDefaultWidget(button);
    return holder;
}

}  // namespace ui
