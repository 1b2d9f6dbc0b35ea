#pragma once

#include <QList>
#include <QString>

// The names a player tells script windows apart by: a window shows its file's name
// (the full path goes to its tooltip and the status bar), and windows never saved
// are "New File", "New File 2", ... as a desktop names its untitled documents.
namespace ScriptTitle {

// "New File" for 1, "New File 2" for 2, and so on.
QString untitledName(int number);
// The lowest number from 1 up that no open unsaved window holds.
int firstFreeNumber(const QList<int>& taken);
// The file name of `path`, or the untitled name when the script has no file.
QString shownName(const QString& path, int untitledNumber);
// The main window's title while `name` is the active script ("pull.txt* - Zandrel").
QString mainWindowTitle(const QString& name, bool changed);
// The status bar's words for the active script: its full path, or that it has none yet.
QString statusText(const QString& path);

}
