#pragma once

class QTreeWidgetItem;
class ScriptWorkspace;
class AppState;

// Puts a node of the command tree into the active script: a finished line at once
// (a script call, a pet order, an example script, the whole catalogue for "All",
// anything while free typing is on), or a fresh line under the caret and the
// properties dialog, which writes the command's line there.
class TreeInsertion {
public:
    // A new script window is opened when none is, so a double-click is never lost
    // for want of one.
    TreeInsertion(AppState& app, ScriptWorkspace& windows);

    // The tree's double-click (and its context menu's Insert) on `node`, the
    // tree's selected node or null.
    void insertNode(QTreeWidgetItem* node);

private:
    AppState& m_app;
    ScriptWorkspace& m_windows;
};
