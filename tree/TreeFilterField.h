#pragma once

#include <QLineEdit>
#include <QList>

#include <functional>

class QTreeWidget;
class QTreeWidgetItem;

// The search field above the command tree. Typing narrows the tree to the commands
// and script files whose word or description holds the text, their groups open;
// Escape empties the field and gives the tree back as it was before the filter;
// Enter inserts the first match as a double-click would; Down moves into the
// results. Ctrl+K anywhere in the main window puts the focus here.
class TreeFilterField : public QLineEdit {
    Q_OBJECT
public:
    // `insertSelected` is the tree's double-click insertion of its selected node.
    TreeFilterField(QTreeWidget& tree, std::function<void()> insertSelected, QWidget* parent = nullptr);

    // The first command or script file in view while a filter is typed, else null.
    QTreeWidgetItem* firstMatch() const;

public slots:
    void applyFilter(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTreeWidget& m_tree;
    std::function<void()> m_insertSelected;
    // Which groups were open before the filter was typed; empty while none is.
    QList<bool> m_openBefore;
};
