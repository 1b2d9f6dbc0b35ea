#include "editor/ScriptToolbarActions.h"

#include "state/AppState.h"
#include "dialogs/PropertiesDialog.h"
#include "editor/LineSelection.h"
#include "platform/Prompt.h"
#include "platform/RichTextControl.h"

#include <QPointer>

ScriptToolbarActions::ScriptToolbarActions(AppState& app, RichTextControl& editor, std::function<void()> markChanged,
                                           std::function<QWidget*()> dialogOwner)
    : m_app(app), m_editor(editor), m_markChanged(std::move(markChanged)), m_dialogOwner(std::move(dialogOwner))
{
}

QString ScriptToolbarActions::variableText(ToolbarKey key)
{
    switch (key) {
    case ToolbarKey::Target:
        return QStringLiteral(" %t");
    case ToolbarKey::Fight:
        return QStringLiteral(" %f");
    case ToolbarKey::Me:
        return QStringLiteral(" %m");
    case ToolbarKey::Argument1:
        return QStringLiteral(" %1");
    case ToolbarKey::Argument2:
        return QStringLiteral(" %2");
    case ToolbarKey::Argument3:
        return QStringLiteral(" %3");
    case ToolbarKey::Argument4:
        return QStringLiteral(" %4");
    default:
        return {};
    }
}

QIcon ScriptToolbarActions::buttonIcon(const QString& name)
{
    const QString base = QStringLiteral(":/resources/toolbar/") + name;
    QIcon icon(base + QStringLiteral(".png"));
    icon.addFile(base + QStringLiteral("-hover.png"), QSize(16, 16), QIcon::Active);
    return icon;
}

bool ScriptToolbarActions::runKey(ToolbarKey key)
{
    // A book to read (the command book) takes no lines and loses none.
    if (m_editor.isBook())
        return true;
    if (key == ToolbarKey::Delete) {
        deleteCommandLine();
        return true;
    }
    const QString variable = variableText(key);
    if (variable.isEmpty())
        return false;
    RichTextControl::UndoStep step(m_editor);
    m_editor.setSelColor(RichTextControl::white());
    // The selection stays and the variable follows it.
    m_editor.setSelText(m_editor.SelText() + variable);
    return true;
}

void ScriptToolbarActions::deleteCommandLine()
{
    const LineSelection::Span line = LineSelection::selectCaretLine(m_editor);
    if (line.length == 0)
        return;
    const QString text = m_editor.SelText();
    if (m_app.prompt.ask(QStringLiteral("Delete Command"), QStringLiteral("Delete the command '") + text + QStringLiteral("'?"),
                         PromptIcon::Question)
        != PromptAnswer::Yes)
        return;
    // The line goes with the break after it, so the next line moves up; the last
    // line has none and leaves an empty line behind.
    m_editor.select(line.start, line.length + 1);
    m_editor.setSelText(QString());
    m_editor.setSelColor(RichTextControl::white());
    if (m_markChanged)
        m_markChanged();
}

void ScriptToolbarActions::editLineInDialog()
{
    if (m_editor.isBook())
        return;
    LineSelection::selectCaretLine(m_editor);
    const QString line = m_editor.SelText();
    // A call of another script is no command to edit.
    if (line.left(7) == QLatin1String("/script"))
        return;
    // OK marks the window through the edit it makes; Cancel, or a line confirmed as
    // it stood, leaves the script unchanged.
    PropertiesDialog dialog(m_app.catalogue, m_app.prompt, line, &m_editor, PropertiesDialog::Origin::ScriptLine,
                            m_dialogOwner ? m_dialogOwner() : nullptr);
    dialog.showModal();
}
