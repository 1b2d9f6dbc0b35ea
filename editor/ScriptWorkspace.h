#pragma once

class QWidget;
class RichTextControl;
class ScriptWindow;

// The script windows as the menus, the command tree and the inserts reach them,
// without knowing the main window, its child-window area or how windows are made.
class ScriptWorkspace {
public:
    // The script window the menus act on, or null when none is open.
    virtual ScriptWindow* activeScriptWindow() const = 0;
    // A new, empty script window, shown and made the active one; null when none
    // could be opened.
    virtual ScriptWindow* newScriptWindow() = 0;
    // The window that owns every modal dialog.
    virtual QWidget* dialogOwner() = 0;
    // Opens the command book a moment later, once the key or click that asked for
    // it has been handled.
    virtual void requestCommandBook() = 0;

    // The active script window's editor, or null when none is open.
    RichTextControl* activeEditor() const;

protected:
    ~ScriptWorkspace() = default;
};
