#pragma once

#include "editor/ScriptWorkspace.h"

#include <QList>
#include <QMdiArea>

class AppState;

// The child-window area of the main window, where every script window lives: it
// makes the windows, knows the active one and closes them all at exit.
class ScriptArea : public QMdiArea, public ScriptWorkspace {
    Q_OBJECT
public:
    explicit ScriptArea(AppState& state, QWidget* parent = nullptr);
    ~ScriptArea() override;

    ScriptWindow* activeScriptWindow() const override;
    ScriptWindow* newScriptWindow() override;
    QWidget* dialogOwner() override { return window(); }
    void requestCommandBook() override;

    // Every script window, oldest first.
    QList<ScriptWindow*> scriptWindows() const;
    // The window other than `except` that holds the file at `path` (by any
    // spelling or link), or null.
    ScriptWindow* windowHolding(const QString& path, const ScriptWindow* except) const;
    // Brings that window forward; false when there is none. Two windows on one file
    // would save over each other.
    bool bringForwardHolder(const QString& path, const ScriptWindow* except);
    // Every window with unsaved changes writes its recovery file now.
    void keepAllForRecovery();
    // The active window while it is the untouched empty one (of start-up), else a
    // new window.
    ScriptWindow* untouchedOrNewWindow();
    // Closes the script windows one by one, each with its own question; false as
    // soon as one stays open (its save was cancelled or failed).
    bool closeAll();
    // A script opened again, though already in a window, is still the latest one used.
    void noteScriptUsed(const QString& path);

signals:
    // Queued: the key or click that asked has been handled when it arrives.
    void commandBookRequested();
    // A script window's name or mark of unsaved changes changed.
    void scriptTitleChanged();
    // A line for the status bar from one of the windows.
    void statusNote(const QString& text);

private:
    AppState& m_state;
};
