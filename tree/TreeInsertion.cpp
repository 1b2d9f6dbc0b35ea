#include "tree/TreeInsertion.h"

#include "state/AppState.h"
#include "catalogue/Catalogue.h"
#include "tree/TreeNode.h"
#include "dialogs/PropertiesDialog.h"
#include "editor/LineSelection.h"
#include "editor/ScriptWorkspace.h"
#include "editor/ScriptWindow.h"
#include "platform/RichTextControl.h"

#include <QPointer>
#include <QTimer>
#include <QTreeWidgetItem>

namespace {
const QChar kBreak = QLatin1Char('\n');
}

TreeInsertion::TreeInsertion(AppState& app, ScriptWorkspace& windows) : m_app(app), m_windows(windows) {}

QString TreeInsertion::commandLine(TreeNode::Kind kind, const QString& groupPrefix, const QString& text)
{
    switch (kind) {
    case TreeNode::Kind::ScriptFile:
        return QStringLiteral("/script ") + text;
    case TreeNode::Kind::Example:
        return text;
    default:
        return QLatin1Char('/') + (groupPrefix.isEmpty() ? text : groupPrefix + QLatin1Char(' ') + text);
    }
}

QString TreeInsertion::wholeCatalogue()
{
    // In the tree's order, each command as its node writes it: a list of lines the
    // game runs, not of words to be completed by hand.
    QString lines;
    for (const CatalogueGroup& group : m_app.catalogue.commandTree([](int) { return true; })) {
        const TreeNode::Kind kind = group.id == CommandGroup::Examples ? TreeNode::Kind::Example : TreeNode::Kind::Command;
        for (const CatalogueCommand& command : group.commands) {
            if (!command.isWholeCatalogue())
                lines += commandLine(kind, group.prefix, command.text) + kBreak;
        }
    }
    return lines;
}

void TreeInsertion::insertNode(QTreeWidgetItem* node)
{
    if (!node)
        return;
    const TreeNode::Kind kind = TreeNode::kind(node);
    if (!TreeNode::isInsertable(node))
        return;

    QPointer<ScriptWindow> window = m_windows.activeScriptWindow();
    // The command book is read, not written: the line goes into a script of its own.
    if (!window || window->isReadOnlyBook())
        window = m_windows.newScriptWindow();
    if (!window)
        return;
    RichTextControl& editor = *window->editor();

    const QString text = node->text(0);
    const QTreeWidgetItem* parent = node->parent();
    const QString prefix = TreeNode::tag(parent);

    if (kind == TreeNode::Kind::WholeCatalogue) {
        const QString lines = wholeCatalogue();
        if (!lines.isEmpty())
            LineSelection::writeWholeLines(editor, lines);
        return;
    }

    // Free typing skips the dialog but writes the same command word: a pet order or a
    // script call without its word is a line the game does not run. An example is a
    // finished line with no value to take, so it goes on a line of its own.
    if (m_app.freeType() && kind != TreeNode::Kind::Example) {
        RichTextControl::UndoStep step(editor);
        editor.setSelColor(RichTextControl::white());
        // The selection becomes the command's value.
        editor.setSelText(commandLine(kind, prefix, text) + QLatin1Char(' ') + editor.SelText() + kBreak);
        return;
    }
    if (kind == TreeNode::Kind::ScriptFile) {
        LineSelection::writeWholeLines(editor, commandLine(kind, prefix, text) + kBreak);
        return;
    }
    // A pet order that carries a value (a new name, a line to say, a move to play) is
    // incomplete without it, so it goes through the dialog like any other command.
    if (kind == TreeNode::Kind::PetOrder && TreeNode::commandType(node) == CommandType::NoValue) {
        LineSelection::writeWholeLines(editor, commandLine(kind, prefix, text) + kBreak);
        return;
    }
    if (kind == TreeNode::Kind::Example) {
        LineSelection::writeWholeLines(editor, commandLine(kind, prefix, text) + kBreak);
        return;
    }

    // The dialog writes the command's line where whole lines go: below the caret's
    // line, or onto it when the caret stands at a line's start. Cancel leaves the
    // script as it was, unmarked: the line OK writes marks the window as any edit does.
    const bool breakFirst = LineSelection::moveToWholeLinePlace(editor);
    editor.setSelColor(RichTextControl::white());
    const QString command = prefix.isEmpty() ? text : prefix + QLatin1Char(' ') + text;
    PropertiesDialog dialog(m_app.catalogue, m_app.prompt, command, &editor, PropertiesDialog::Origin::Tree, m_windows.dialogOwner());
    if (breakFirst)
        dialog.writeAfterLineBreak();
    dialog.showModal();
}
