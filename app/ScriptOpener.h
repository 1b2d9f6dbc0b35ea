#pragma once

#include <QStringList>

class ScriptArea;
class ScriptWindow;

// Opens scripts named outside the Open dialog -- on the command line, dropped from a
// file manager, chosen from the recent list -- each in a window of its own. The
// active window takes the file when it is still untouched (the empty first window
// of start-up), otherwise a new window does; a script already open in a window is
// brought forward instead, since two windows on one file would save over each other.
class ScriptOpener {
public:
    explicit ScriptOpener(ScriptArea& area) : m_area(area) {}

    // In order; a file that fails gets the window's error box, the rest still open.
    void open(const QStringList& paths);
    // True when the script is open in a window afterwards.
    bool open(const QString& path);

private:
    ScriptArea& m_area;
};
