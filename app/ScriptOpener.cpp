#include "app/ScriptOpener.h"

#include "editor/ScriptArea.h"
#include "editor/ScriptWindow.h"
#include "platform/RichTextControl.h"

#include <QFileInfo>

void ScriptOpener::open(const QStringList& paths)
{
    for (const QString& path : paths)
        open(path);
}

ScriptWindow* ScriptOpener::windowHolding(const QString& path) const
{
    for (ScriptWindow* window : m_area.scriptWindows()) {
        // QFileInfo compares the real files when both exist, so another spelling of
        // the path or a link to the file is still the same script.
        if (!window->fileName().isEmpty() && QFileInfo(window->fileName()) == QFileInfo(path))
            return window;
    }
    return nullptr;
}

bool ScriptOpener::open(const QString& path)
{
    if (ScriptWindow* holding = windowHolding(path)) {
        if (holding->isMinimized())
            holding->showNormal();
        m_area.setActiveSubWindow(holding);
        m_area.noteScriptUsed(holding->fileName());
        return true;
    }
    ScriptWindow* window = m_area.activeScriptWindow();
    const bool untouched =
        window && window->fileName().isEmpty() && !window->isChanged() && window->editor()->textLength() == 0;
    if (!untouched)
        window = m_area.newScriptWindow();
    if (!window)
        return false;
    if (window->openFile(path))
        return true;
    // A window made for a file that would not open has nothing to show.
    if (!untouched)
        window->close();
    return false;
}
