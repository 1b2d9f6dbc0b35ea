#pragma once

class QWidget;
class RichTextControl;
class frmWindow;

// The script windows as the menus, the command tree and the inserts reach them. The
// main window is the one implementation, so none of them needs to know the main
// window, its child-window area or its timers.
class ScriptWindows {
public:
    // The script window the menus act on, or null when none is open.
    virtual frmWindow* activeScriptWindow() const = 0;
    // A new, empty script window, shown and made the active one; null when none
    // could be opened.
    virtual frmWindow* newScriptWindow() = 0;
    // The window that owns every modal dialog.
    virtual QWidget* dialogOwner() = 0;
    // Opens the command book a moment later, once the key or click that asked for
    // it has been handled.
    virtual void requestCommandBook() = 0;

    // The active script window's editor, or null when none is open.
    RichTextControl* activeEditor() const;

protected:
    ~ScriptWindows() = default;
};
