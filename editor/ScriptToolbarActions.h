#pragma once

#include "editor/ToolbarKey.h"

#include <QIcon>
#include <QString>

#include <functional>

class AppState;
class QWidget;
class RichTextControl;

// The script window's own editing actions: the chat-variable buttons, Delete (the
// button and the locked Delete key), and the double-click that hands a line to the
// properties dialog.
class ScriptToolbarActions {
public:
    // `markChanged` marks the window's script changed; `dialogOwner` gives the window
    // that owns the properties dialog (empty: the dialog has no owner).
    ScriptToolbarActions(AppState& app, RichTextControl& editor, std::function<void()> markChanged,
                         std::function<QWidget*()> dialogOwner);

    // The text a variable button writes after the selection (" %t", " %1", ...), or
    // an empty string for a key that is no variable button.
    static QString variableText(ToolbarKey key);

    // The picture named `name`, with its brighter twin for the pointer over the button.
    static QIcon buttonIcon(const QString& name);

    // Runs the toolbar key if it is one of these actions; false for any other key.
    bool runKey(ToolbarKey key);

    // Asks "Delete Command" about the caret's line and removes it with its line break.
    void deleteCommandLine();

    // Selects the line under the caret and opens it in the properties dialog
    // (a "/script" line is only selected).
    void editLineInDialog();

private:
    AppState& m_app;
    RichTextControl& m_editor;
    std::function<void()> m_markChanged;
    std::function<QWidget*()> m_dialogOwner;
};
