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

// A pet order that carries a value (a new name, a line to say, a move to play) is
// incomplete without it, so it goes through the dialog like any other command.
bool takesValue(Catalogue& catalogue, const QTreeWidgetItem* node)
{
    const std::optional<CatalogueCommand> command = catalogue.command(TreeNode::key(node).mid(1).toInt());
    return command && command->type != 0;
}
}

TreeInsertion::TreeInsertion(AppState& app, ScriptWorkspace& windows) : m_app(app), m_windows(windows) {}

void TreeInsertion::insertNode(QTreeWidgetItem* node)
{
    if (!node)
        return;
    if (node->childCount() > 0 || TreeNode::isGroupImage(TreeNode::image(node)))
        return;

    QPointer<ScriptWindow> window = m_windows.activeScriptWindow();
    if (!window)
        window = m_windows.newScriptWindow();
    if (!window)
        return;
    RichTextControl& editor = *window->editor();

    const QString text = node->text(0);
    const QTreeWidgetItem* parent = node->parent();
    const QString parentText = parent ? parent->text(0) : QString();

    if (text == QLatin1String("All")) {
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
    if (TreeNode::image(node) == TreeNode::ScriptFile) {
        LineSelection::writeWholeLines(editor, QStringLiteral("/script ") + text + kBreak);
        return;
    }
    if (parentText == QLatin1String("Pet Commands") && text != QLatin1String("rename") && text != QLatin1String("chat")
        && !takesValue(m_app.catalogue, node)) {
        LineSelection::writeWholeLines(editor, QStringLiteral("/pet ") + text + kBreak);
        return;
    }
    if (parentText == QLatin1String("Example Scripts")) {
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
        PropertiesDialog dialog(m_app, command, &editor, PropertiesDialog::Origin::Tree, m_windows.dialogOwner());
        if (breakFirst)
            dialog.writeAfterLineBreak();
        dialog.showModal();
    }
    if (window)
        window->markChanged();
}
