#pragma once

#include <QKeySequence>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// Menu entries under the names the program and its tests know them by: every
// menu, item and separator carries its object name.
namespace MenuItems {

QMenu* addMenu(QMenuBar& bar, const QString& name, const QString& caption);
// A submenu; its entry in the parent menu carries the same name.
QMenu* addSubMenu(QMenu& parent, const QString& name, const QString& caption);
// A window's title as the desktop shows it: "[*]" becomes "*" while the window is
// marked modified and nothing otherwise.
QString shownTitle(const QWidget& window);

QAction* addItem(QMenu& menu, const QString& name, const QString& caption, const QKeySequence& shortcut = {});
void addSeparator(QMenu& menu, const QString& name);

}
