#pragma once

#include <QDialog>

class QTextEdit;
class QTreeWidgetItem;
struct AppState;

// The help page of one command, in a modal window of its own. Built afresh for
// every showing from the node selected in the command tree then.
class frmHelp : public QDialog {
    Q_OBJECT
public:
    // `selected`: the tree's selected node, or null when none is.
    frmHelp(AppState& state, const QTreeWidgetItem* selected, QWidget* owner = nullptr);

    // Loads the page of a command node; any other node, or a command the catalogue
    // does not know, leaves the window as designed: caption "Help", an empty box.
    void Form_Load(const QTreeWidgetItem* selected);

    QTextEdit* rtfHelp = nullptr;

    static constexpr qreal kPointSize = 10.0;

private:
    AppState& m_state;
};
