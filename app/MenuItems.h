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

// The letter of a caption's access key ("&Save" -> 's'), lower case; null when it has none.
QChar accessKey(const QString& caption);
// The caption with an access key on its first letter not in `taken` (lower case),
// a word's first letter before any other; unchanged when no letter is free.
QString withAccessKey(const QString& caption, const QString& taken);
// Gives each item of `menu` without an access key one no other item there has, so
// Alt and a letter always reach exactly one item, whatever the menu lists.
void giveAccessKeys(QMenu& menu);

}
