#include "editor/ScriptArea.h"

#include "editor/ScriptWindow.h"
#include "state/AppState.h"
#include "platform/FileIdentity.h"
#include "platform/RichTextControl.h"

ScriptArea::ScriptArea(AppState& state, QWidget* parent) : QMdiArea(parent), m_state(state)
{
    setObjectName(QStringLiteral("scriptArea"));
    setAccessibleName(QStringLiteral("Scripts"));
    setBackground(palette().brush(QPalette::Dark));
}

ScriptArea::~ScriptArea()
{
    // The windows close in QWidget's destructor, after this area's own part is gone:
    // their last title and state changes must not reach it then.
    for (ScriptWindow* window : scriptWindows())
        disconnect(window, nullptr, this, nullptr);
}

ScriptWindow* ScriptArea::activeScriptWindow() const
{
    // currentSubWindow() still answers while a modal dialog has the focus, where
    // activeSubWindow() would report none.
    return qobject_cast<ScriptWindow*>(currentSubWindow());
}

ScriptWindow* ScriptArea::newScriptWindow()
{
    auto* window = new ScriptWindow(m_state);
    connect(window, &ScriptWindow::commandBookRequested, this, &ScriptArea::requestCommandBook);
    connect(window, &ScriptWindow::titleChanged, this, &ScriptArea::scriptTitleChanged);
    // Maximised, Qt shows the script's name in the main window's title itself.
    connect(window, &QMdiSubWindow::windowStateChanged, this, &ScriptArea::scriptTitleChanged);
    connect(window, &ScriptWindow::statusNote, this, &ScriptArea::statusNote);
    window->setHolderFinder([this](const QString& path, const ScriptWindow* asking) {
        return bringForwardHolder(path, asking);
    });
    addSubWindow(window);
    window->takeUntitledNumber();
    window->show();
    setActiveSubWindow(window);
    return window;
}

void ScriptArea::requestCommandBook()
{
    emit commandBookRequested();
}

QList<ScriptWindow*> ScriptArea::scriptWindows() const
{
    QList<ScriptWindow*> windows;
    for (QMdiSubWindow* child : subWindowList(QMdiArea::CreationOrder)) {
        if (auto* window = qobject_cast<ScriptWindow*>(child))
            windows.append(window);
    }
    return windows;
}

void ScriptArea::noteScriptUsed(const QString& path)
{
    if (m_state.scriptFileUsed)
        m_state.scriptFileUsed(path);
}

ScriptWindow* ScriptArea::windowHolding(const QString& path, const ScriptWindow* except) const
{
    for (ScriptWindow* window : scriptWindows()) {
        if (window != except && FileIdentity::sameFile(window->fileName(), path))
            return window;
    }
    return nullptr;
}

bool ScriptArea::bringForwardHolder(const QString& path, const ScriptWindow* except)
{
    ScriptWindow* holding = windowHolding(path, except);
    if (!holding)
        return false;
    if (holding->isMinimized())
        holding->showNormal();
    setActiveSubWindow(holding);
    return true;
}

void ScriptArea::keepAllForRecovery()
{
    for (ScriptWindow* window : scriptWindows())
        window->keepForRecovery();
}

ScriptWindow* ScriptArea::untouchedOrNewWindow()
{
    ScriptWindow* window = activeScriptWindow();
    if (window && window->fileName().isEmpty() && !window->isChanged() && window->editor()->textLength() == 0)
        return window;
    return newScriptWindow();
}

bool ScriptArea::closeAll()
{
    // One at a time, oldest first: a window the player keeps (a save cancelled or
    // failed) ends the exit there, before the windows after it are asked anything.
    for (QMdiSubWindow* child : subWindowList(QMdiArea::CreationOrder)) {
        if (!child->close())
            return false;
    }
    return true;
}
