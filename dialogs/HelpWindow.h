#pragma once

#include <QDialog>

class QTextEdit;
class AppState;

// The help page of one command, in a modal window of its own. Built afresh for
// every showing from the key of the node selected in the command tree then.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    // `nodeKey`: the key of the tree's selected node, or empty when none is.
    HelpWindow(AppState& state, const QString& nodeKey, QWidget* owner = nullptr);

    // Loads the page of a command node ("C" and the command's id); any other node,
    // or a command the catalogue does not know, leaves the window as designed:
    // caption "Help", an empty box.
    void showPage(const QString& nodeKey);


    static constexpr qreal kPointSize = 10.0;

private:
    QTextEdit* pageView = nullptr;
    AppState& m_state;
};
