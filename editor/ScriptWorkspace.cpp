#include "editor/ScriptWorkspace.h"

#include "editor/ScriptWindow.h"

RichTextControl* ScriptWorkspace::activeEditor() const
{
    ScriptWindow* window = activeScriptWindow();
    return window ? window->editor() : nullptr;
}
