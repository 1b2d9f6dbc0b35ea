#include "app/ScriptOpener.h"

#include "editor/ScriptArea.h"
#include "editor/ScriptWindow.h"

void ScriptOpener::open(const QStringList& paths)
{
    for (const QString& path : paths)
        open(path);
}

bool ScriptOpener::open(const QString& path)
{
    if (m_area.bringForwardHolder(path, nullptr)) {
        // Opened again, the script goes to the top of the recent list.
        m_area.noteScriptUsed(m_area.activeScriptWindow()->fileName());
        return true;
    }
    ScriptWindow* const active = m_area.activeScriptWindow();
    ScriptWindow* window = m_area.untouchedOrNewWindow();
    const bool untouched = window == active;
    if (!window)
        return false;
    if (window->openFile(path))
        return true;
    // A window made for a file that would not open has nothing to show.
    if (!untouched)
        window->close();
    return false;
}
