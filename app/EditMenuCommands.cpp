#include "app/EditMenuCommands.h"

#include "state/AppState.h"
#include "platform/Settings.h"
#include "dialogs/frmFind.h"
#include "dialogs/frmOptions.h"
#include "editor/ScriptWindows.h"

#include <QAction>
#include <QMainWindow>

EditMenuCommands::EditMenuCommands(AppState& state, ScriptWindows& windows, QMainWindow& main)
    : QObject(&main), m_state(state), m_windows(windows), m_main(main)
{
    setObjectName(QStringLiteral("EditMenuCommands"));
    if (auto* find = main.findChild<QAction*>(QStringLiteral("mnuFind")))
        connect(find, &QAction::triggered, this, &EditMenuCommands::mnuFind_Click);
    if (auto* options = main.findChild<QAction*>(QStringLiteral("mnuOptions")))
        connect(options, &QAction::triggered, this, &EditMenuCommands::mnuOptions_Click);
    m_freeType = main.findChild<QAction*>(QStringLiteral("mnuFreeType"));
    if (m_freeType) {
        // A check item flips its own mark before it reports the click; undo that, so
        // the handler decides from the mark the player saw, and sets everything together.
        connect(m_freeType, &QAction::triggered, this, [this](bool checkedNow) {
            if (m_freeType->isCheckable())
                m_freeType->setChecked(!checkedNow);
            mnuFreeType_Click();
        });
    }
}

void EditMenuCommands::mnuFind_Click()
{
    RichTextControl* editor = m_windows.activeEditor();
    if (!editor)
        return;
    frmFind dialog(m_state, editor, &m_main);
    dialog.exec();
}

void EditMenuCommands::mnuFreeType_Click()
{
    const bool on = !(m_freeType && m_freeType->isChecked());
    m_state.settings.write(QStringLiteral("FreeType"), on ? QStringLiteral("1") : QStringLiteral("0"));
    if (m_freeType)
        m_freeType->setChecked(on);
    m_state.setFreeType(on);
}

void EditMenuCommands::mnuOptions_Click()
{
    frmOptions dialog(m_state, &m_main);
    dialog.exec();
}
