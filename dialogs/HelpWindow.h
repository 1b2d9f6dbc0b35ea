#pragma once

#include <QDialog>

#include <optional>

class QTextEdit;
class Catalogue;

// The help page of one command, in a modal window of its own. Built afresh for
// every showing from the key of the node selected in the command tree then.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    // `commandId`: the command of the tree's selected node, none for any other node.
    HelpWindow(Catalogue& catalogue, std::optional<qint64> commandId, QWidget* owner = nullptr);

    // Loads the page of a command; no command,
    // or a command the catalogue does not know, leaves the window as designed:
    // caption "Help", an empty box.
    void showPage(std::optional<qint64> commandId);


    static constexpr qreal kPointSize = 10.0;

private:
    QTextEdit* pageView = nullptr;
    Catalogue& m_catalogue;
};
