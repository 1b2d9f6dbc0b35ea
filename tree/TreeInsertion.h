#pragma once

#include "tree/TreeNode.h"

#include <QString>

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

    // The line a node writes, without a value: "/" + its group's prefix and its word
    // ("/pet heal"), "/script " + a script file's name, an example as it stands.
    static QString commandLine(TreeNode::Kind kind, const QString& groupPrefix, const QString& text);

private:
    // Every command of the catalogue as the tree writes it, one per line.
    QString wholeCatalogue();

    AppState& m_app;
    ScriptWorkspace& m_windows;
};
