#include "app/MenuItems.h"

#include <QMenu>
#include <QMenuBar>
#include <QWidget>

QMenu* MenuItems::addMenu(QMenuBar& bar, const QString& name, const QString& caption)
{
    QMenu* menu = bar.addMenu(caption);
    menu->setObjectName(name);
    return menu;
}

QMenu* MenuItems::addSubMenu(QMenu& parent, const QString& name, const QString& caption)
{
    QMenu* menu = parent.addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

QAction* MenuItems::addItem(QMenu& menu, const QString& name, const QString& caption, const QKeySequence& shortcut)
{
    QAction* action = menu.addAction(caption);
    action->setObjectName(name);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

void MenuItems::addSeparator(QMenu& menu, const QString& name)
{
    menu.addSeparator()->setObjectName(name);
}

QString MenuItems::shownTitle(const QWidget& window)
{
    QString title = window.windowTitle();
    title.replace(QStringLiteral("[*]"), window.isWindowModified() ? QStringLiteral("*") : QString());
    return title;
}
