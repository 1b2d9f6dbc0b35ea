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

void TreeInsertion::insertNode(QTreeWidgetItem* node)
{
    if (!node)
        return;
    const TreeNode::Kind kind = TreeNode::kind(node);
    if (!TreeNode::isInsertable(node))
        return;

    QPointer<ScriptWindow> window = m_windows.activeScriptWindow();
    if (!window)
        window = m_windows.newScriptWindow();
    if (!window)
        return;
    RichTextControl& editor = *window->editor();

    const QString text = node->text(0);
    const QTreeWidgetItem* parent = node->parent();

    if (kind == TreeNode::Kind::WholeCatalogue) {
        QString lines;
        for (const CatalogueCommand& command : m_app.catalogue.allCommands())
            lines += QLatin1Char('/') + command.text + QLatin1Char(' ') + command.description + kBreak;
        if (!lines.isEmpty())
            LineSelection::writeWholeLines(editor, lines);
        return;
    }

    if (m_app.freeType()) {
        RichTextControl::UndoStep step(editor);
        editor.setSelColor(RichTextControl::white());
        // The selection becomes the command's value.
        const QString line = text.startsWith(QLatin1Char('/')) ? text + editor.SelText()
                                                               : QLatin1Char('/') + text + QLatin1Char(' ') + editor.SelText();
        editor.setSelText(line + kBreak);
        return;
    }
    if (kind == TreeNode::Kind::ScriptFile) {
        LineSelection::writeWholeLines(editor, QStringLiteral("/script ") + text + kBreak);
        return;
    }
    // A pet order that carries a value (a new name, a line to say, a move to play) is
    // incomplete without it, so it goes through the dialog like any other command.
    if (kind == TreeNode::Kind::PetOrder && TreeNode::commandType(node) == CommandType::NoValue) {
        LineSelection::writeWholeLines(editor, QStringLiteral("/pet ") + text + kBreak);
        return;
    }
    if (kind == TreeNode::Kind::Example) {
        LineSelection::writeWholeLines(editor, text + kBreak);
        return;
    }

    // The dialog writes the command's line where whole lines go: below the caret's
    // line, or onto it when the caret stands at a line's start. Cancel leaves the
    // script as it was.
    const bool breakFirst = LineSelection::moveToWholeLinePlace(editor);
    editor.setSelColor(RichTextControl::white());
    const QString prefix = TreeNode::tag(parent);
    const QString command = prefix.isEmpty() ? text : prefix + QLatin1Char(' ') + text;
    {
        PropertiesDialog dialog(m_app.catalogue, m_app.prompt, command, &editor, PropertiesDialog::Origin::Tree, m_windows.dialogOwner());
        if (breakFirst)
            dialog.writeAfterLineBreak();
        dialog.showModal();
    }
    if (window)
        window->markChanged();
}
