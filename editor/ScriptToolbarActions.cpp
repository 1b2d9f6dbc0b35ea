#include "editor/ScriptToolbarActions.h"

#include "state/AppState.h"
#include "dialogs/frmProperties.h"
#include "editor/LineSelection.h"
#include "editor/frmWindow.h"
#include "platform/Prompt.h"
#include "platform/RichTextControl.h"

#include <QPointer>

ScriptToolbarActions::ScriptToolbarActions(AppState& app, frmWindow& window) : m_app(app), m_window(window) {}

QString ScriptToolbarActions::variableText(const QString& key)
{
    if (key == QLatin1String("Target"))
        return QStringLiteral(" %t");
    if (key == QLatin1String("Fight"))
        return QStringLiteral(" %f");
    if (key == QLatin1String("Me"))
        return QStringLiteral(" %m");
    if (key == QLatin1String("1") || key == QLatin1String("2") || key == QLatin1String("3") || key == QLatin1String("4"))
        return QStringLiteral(" %") + key;
    return {};
}

QIcon ScriptToolbarActions::buttonIcon(const QString& key)
{
    const QString base = QStringLiteral(":/resources/toolbar/") + key;
    QIcon icon(base + QStringLiteral(".png"));
    icon.addFile(base + QStringLiteral("-hover.png"), QSize(16, 16), QIcon::Active);
    return icon;
}

bool ScriptToolbarActions::ButtonClick(const QString& key)
{
    if (key == QLatin1String("Delete")) {
        deleteCommandLine();
        return true;
    }
    const QString variable = variableText(key);
    if (variable.isEmpty())
        return false;
    RichTextControl& editor = *m_window.rtfrypAO;
    // The selection stays and the variable follows it.
    editor.setSelText(editor.SelText() + variable);
    return true;
}

void ScriptToolbarActions::deleteCommandLine()
{
    RichTextControl& editor = *m_window.rtfrypAO;
    const LineSelection::Span line = LineSelection::SelectCurrentLine(editor);
    if (line.length == 0)
        return;
    const QString text = editor.SelText();
    if (m_app.prompt.ask(QStringLiteral("Delete Command"), QStringLiteral("Delete the command '") + text + QStringLiteral("'?"),
                         PromptIcon::Question)
        != PromptAnswer::Yes)
        return;
    // The line goes with the break after it, so the next line moves up; the last
    // line has none and leaves an empty line behind.
    editor.select(line.start, line.length + 1);
    editor.setSelText(QString());
    m_window.setChanged(true);
}

void ScriptToolbarActions::rtfrypAO_DblClick()
{
    RichTextControl& editor = *m_window.rtfrypAO;
    LineSelection::SelectCurrentLine(editor);
    m_app.CurrentLine = editor.SelText();
    // A call of another script is no command to edit.
    if (m_app.CurrentLine.left(7) == QLatin1String("/script"))
        return;
    QPointer<frmWindow> window(&m_window);
    {
        frmProperties dialog(m_app, &editor, frmProperties::Origin::ScriptLine, m_app.mainWindow);
        dialog.showModal();
    }
    if (window)
        window->setChanged(true);
}
