#include "editor/ScriptWindows.h"

#include "editor/frmWindow.h"

RichTextControl* ScriptWindows::activeEditor() const
{
    frmWindow* window = activeScriptWindow();
    return window ? window->rtfrypAO : nullptr;
}
