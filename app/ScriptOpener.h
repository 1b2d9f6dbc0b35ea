#pragma once

#include <QStringList>

#include <functional>

class frmWindow;
struct AppState;

// Opens scripts named outside the Open dialog -- on the command line, dropped from a
// file manager, chosen from the recent list -- each in a window of its own. The
// active window takes the file when it is still untouched (the empty first window
// of start-up), otherwise a new window does; a script already open in a window is
// brought forward instead, since two windows on one file would save over each other.
class ScriptOpener {
public:
    ScriptOpener(AppState& state, std::function<frmWindow*()> newWindow)
        : m_state(state), m_newWindow(std::move(newWindow))
    {
    }

    // In order; a file that fails gets the window's error box, the rest still open.
    void open(const QStringList& paths);
    // True when the script is open in a window afterwards.
    bool open(const QString& path);

private:
    frmWindow* windowHolding(const QString& path) const;

    AppState& m_state;
    std::function<frmWindow*()> m_newWindow;
};
