#pragma once

#include "platform/IoResult.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The text of scripts with unsaved changes, kept in the user's state folder
// ($XDG_STATE_HOME/zandrel/recovery/) so a crash, a kill or a logout costs seconds,
// not everything since the last save. One file per script window, named after the
// run that wrote it ("<process id>-<number>.recovery"), so a second running copy
// of the program never offers a live window's text as lost.
namespace RecoveryStore {

struct Entry {
    QString recoveryFile;  // where it is kept
    QString scriptFile;    // the script's own file; empty for a script never saved
    QString text;          // the editor's text, "\n" between lines
    QDateTime changed;     // when it was last written
};

QString folder();
// A fresh name for one window of this run.
QString newRecoveryFile();
// Whole or not at all (a temporary file renamed over the old one).
IoResult write(const QString& recoveryFile, const QString& scriptFile, const QString& text);
// Renames a file left behind to a name of this run, so its text stays kept under
// the window that restored it; the new name (the old one if renaming failed).
QString adopt(const QString& recoveryFile);
// False when the file is missing or is not one of ours.
bool read(const QString& recoveryFile, Entry& entry);
// Those left by runs that have ended, oldest first; unreadable ones are skipped.
QList<Entry> leftBehind();

}
