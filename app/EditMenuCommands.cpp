#include "app/EditMenuCommands.h"

#include "app/MenuItems.h"
#include "dialogs/FindDialog.h"
#include "dialogs/OptionsDialog.h"
#include "editor/ScriptWorkspace.h"
#include "platform/RichTextControl.h"
#include "platform/Settings.h"
#include "state/AppState.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTextDocument>

EditMenuCommands::EditMenuCommands(AppState& state, ScriptWorkspace& windows, QObject* parent)
    : QObject(parent), m_state(state), m_windows(windows)
{
    setObjectName(QStringLiteral("EditMenuCommands"));
}

void EditMenuCommands::addEditMenu(QMenuBar& bar, const std::function<void()>& checkScript)
{
    QMenu& edit = *MenuItems::addMenu(bar, QStringLiteral("mnuEditor"), QStringLiteral("&Edit"));
    m_undo = MenuItems::addItem(edit, QStringLiteral("mnuUndo"), QStringLiteral("&Undo"), QKeySequence::Undo);
    m_redo = MenuItems::addItem(edit, QStringLiteral("mnuRedo"), QStringLiteral("&Redo"));
    m_redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(m_undo, &QAction::triggered, this, &EditMenuCommands::undo);
    connect(m_redo, &QAction::triggered, this, &EditMenuCommands::redo);
    followActiveScript();
    MenuItems::addSeparator(edit, QStringLiteral("mnuDivUndo"));
    connect(MenuItems::addItem(edit, QStringLiteral("mnuFind"), QStringLiteral("&Find"), QKeySequence::Find),
            &QAction::triggered, this, &EditMenuCommands::find);
    connect(MenuItems::addItem(edit, QStringLiteral("mnuFindNext"), QStringLiteral("Find &Next"), QKeySequence(Qt::Key_F3)),
            &QAction::triggered, this, &EditMenuCommands::findNext);
    m_checkScript = MenuItems::addItem(edit, QStringLiteral("mnuCheckScript"), QStringLiteral("&Check Script"),
                                       QKeySequence(Qt::Key_F7));
    connect(m_checkScript, &QAction::triggered, this, checkScript);
    MenuItems::addSeparator(edit, QStringLiteral("mnudivit"));
    connect(MenuItems::addItem(edit, QStringLiteral("mnuClear"), QStringLiteral("C&lear")), &QAction::triggered, this,
            &EditMenuCommands::clear);
    MenuItems::addSeparator(edit, QStringLiteral("mnuDiv2"));
    m_freeType = MenuItems::addItem(edit, QStringLiteral("mnuFreeType"), QStringLiteral("Free &Type"));
    m_freeType->setCheckable(true);
    m_freeType->setChecked(m_state.freeType());
    // A check item flips its own mark before it reports the click; undo that, so
    // the handler decides from the mark the player saw, and sets everything together.
    connect(m_freeType, &QAction::triggered, this, [this](bool checkedNow) {
        m_freeType->setChecked(!checkedNow);
        toggleFreeType();
    });
    connect(&m_state, &AppState::freeTypeChanged, m_freeType, &QAction::setChecked);
    connect(MenuItems::addItem(edit, QStringLiteral("mnuOptions"), QStringLiteral("&Options")), &QAction::triggered,
            this, &EditMenuCommands::showOptions);
}

void EditMenuCommands::addRunPreview(const std::function<void()>& runPreview)
{
    auto* edit = m_checkScript ? qobject_cast<QMenu*>(m_checkScript->parent()) : nullptr;
    if (!edit)
        return;
    QAction* item = MenuItems::addItem(*edit, QStringLiteral("mnuRunPreview"), QStringLiteral("Run &Preview"),
                                       QKeySequence(Qt::Key_F5));
    // addItem puts it last; it belongs with Check Script.
    const QList<QAction*> items = edit->actions();
    const qsizetype after = items.indexOf(m_checkScript);
    edit->removeAction(item);
    edit->insertAction(items.value(after + 1), item);
    connect(item, &QAction::triggered, this, runPreview);
}

void EditMenuCommands::followActiveScript()
{
    if (!m_undo)
        return;
    disconnect(m_undoFollows);
    disconnect(m_redoFollows);
    RichTextControl* editor = m_windows.activeEditor();
    QTextDocument* history = editor ? editor->document() : nullptr;
    m_undo->setEnabled(history && history->isUndoAvailable());
    m_redo->setEnabled(history && history->isRedoAvailable());
    if (!history)
        return;
    m_undoFollows = connect(history, &QTextDocument::undoAvailable, m_undo, &QAction::setEnabled);
    m_redoFollows = connect(history, &QTextDocument::redoAvailable, m_redo, &QAction::setEnabled);
}

void EditMenuCommands::undo()
{
    if (RichTextControl* editor = m_windows.activeEditor())
        editor->undoStep();
}

void EditMenuCommands::redo()
{
    if (RichTextControl* editor = m_windows.activeEditor())
        editor->redoStep();
}

void EditMenuCommands::find()
{
    RichTextControl* editor = m_windows.activeEditor();
    if (!editor)
        return;
    FindDialog dialog(m_state.prompt, editor, m_windows.dialogOwner());
    dialog.setSearch(m_findText, m_findOptions);
    connect(&dialog, &FindDialog::statusMessage, this, &EditMenuCommands::statusMessage);
    dialog.exec();
    m_findText = dialog.findText();
    m_findOptions = dialog.findFlags();
}

void EditMenuCommands::findNext()
{
    RichTextControl* editor = m_windows.activeEditor();
    if (!editor)
        return;
    // Nothing searched for yet: the dialog asks what to find.
    if (m_findText.isEmpty())
        return find();
    const FindDialog::FindResult result = FindDialog::findNextIn(*editor, m_findText, m_findOptions);
    emit statusMessage(result == FindDialog::FindResult::None ? QStringLiteral("No matches")
                                                              : FindDialog::statusFor(result));
}

void EditMenuCommands::clear()
{
    RichTextControl* editor = m_windows.activeEditor();
    if (!editor || editor->isBook())
        return;
    RichTextControl::UndoStep step(*editor);
    editor->setSelColor(RichTextControl::white());
    editor->setText(QString());
}

void EditMenuCommands::toggleFreeType()
{
    const bool on = !(m_freeType && m_freeType->isChecked());
    m_state.settings.write(QStringLiteral("FreeType"), on ? QStringLiteral("1") : QStringLiteral("0"));
    if (m_freeType)
        m_freeType->setChecked(on);
    m_state.setFreeType(on);
}

void EditMenuCommands::showOptions()
{
    OptionsDialog dialog(m_state, m_windows.dialogOwner());
    dialog.exec();
}
