#include "app/ScriptOpener.h"

#include "editor/ScriptWindows.h"
#include "editor/frmWindow.h"
#include "platform/RichTextControl.h"

#include <QFileInfo>
#include <QMdiArea>

void ScriptOpener::open(const QStringList& paths)
{
    for (const QString& path : paths)
        open(path);
}

frmWindow* ScriptOpener::windowHolding(const QString& path) const
{
    for (QMdiSubWindow* child : m_area.subWindowList()) {
        auto* window = qobject_cast<frmWindow*>(child);
        // QFileInfo compares the real files when both exist, so another spelling of
        // the path or a link to the file is still the same script.
        if (window && !window->FileName().isEmpty() && QFileInfo(window->FileName()) == QFileInfo(path))
            return window;
    }
    return nullptr;
}

bool ScriptOpener::open(const QString& path)
{
    if (frmWindow* holding = windowHolding(path)) {
        if (holding->isMinimized())
            holding->showNormal();
        m_area.setActiveSubWindow(holding);
        return true;
    }
    frmWindow* window = m_windows.activeScriptWindow();
    const bool untouched =
        window && window->FileName().isEmpty() && !window->Changed() && window->rtfrypAO->textLength() == 0;
    if (!untouched)
        window = m_windows.newScriptWindow();
    if (!window)
        return false;
    if (window->openFile(path))
        return true;
    // A window made for a file that would not open has nothing to show.
    if (!untouched)
        window->close();
    return false;
}
