#include "editor/TypingLock.h"

#include "state/AppState.h"
#include "platform/Prompt.h"
#include "platform/RichTextControl.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>

TypingLock::TypingLock(AppState& app, RichTextControl& editor, std::function<void()> deleteLine,
                       std::function<void()> commandBook, QObject* parent)
    : QObject(parent), m_app(app), m_editor(editor), m_deleteLine(std::move(deleteLine)),
      m_commandBook(std::move(commandBook))
{
    m_editor.installEventFilter(this);
    m_editor.viewport()->installEventFilter(this);
    connect(&m_app, &AppState::freeTypeChanged, this, &TypingLock::applyFlag);
    applyFlag();
}

bool TypingLock::locked() const
{
    return !m_app.freeType();
}

QString TypingLock::disabledTitle()
{
    return QStringLiteral("Free typing disabled");
}

QString TypingLock::disabledText()
{
    return QStringLiteral(
        "Free typing is currently disabled. To configure this command/line use the command list and editing methods "
        "built into this editor. To free type turn on the free typing option under the Edit menu.");
}

void TypingLock::applyFlag()
{
    // Not editable by hand, yet the caret still shows and the mouse still selects:
    // the editor's context menu then offers no Cut, Paste, Delete or Undo, a drop
    // or a middle click brings nothing, and a drag out of it only copies. Text
    // written through the selection is not affected.
    const Qt::TextInteractionFlags wanted = locked()
                                                ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                                : Qt::TextInteractionFlags(Qt::TextEditorInteraction);
    if (m_editor.textInteractionFlags() != wanted)
        m_editor.setTextInteractionFlags(wanted);
    const bool composing = !locked();
    if (m_editor.testAttribute(Qt::WA_InputMethodEnabled) != composing) {
        m_editor.setAttribute(Qt::WA_InputMethodEnabled, composing);
        if (m_editor.hasFocus())
            QGuiApplication::inputMethod()->update(Qt::ImEnabled);
    }
}

void TypingLock::refuse()
{
    m_app.prompt.notify(disabledTitle(), disabledText(), PromptIcon::Information);
}

bool TypingLock::editsText(const QKeyEvent& event)
{
    if (event.matches(QKeySequence::Paste) || event.matches(QKeySequence::Cut))
        return true;
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Backspace:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Space:
        return true;
    default:
        break;
    }
    // With Ctrl, Alt or Meta held a key is a shortcut or an access key, never a
    // character; what no menu took edits nothing in a locked editor either.
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event.text();
    return !text.isEmpty() && text.at(0).isPrint();
}

bool TypingLock::keyDown(QKeyEvent* event)
{
    if (!locked()) {
        if (m_forwarding || !editsText(*event))
            return false;
        // Typed text is white. Over a selection, whitening it is an edit of its own:
        // the key goes to the editor inside the same undo step, so one Undo takes the
        // typed text back, not just a colour.
        if (!m_editor.textCursor().hasSelection()) {
            m_editor.setSelColor(RichTextControl::white());
            return false;
        }
        RichTextControl::UndoStep step(m_editor);
        m_editor.setSelColor(RichTextControl::white());
        m_forwarding = true;
        QCoreApplication::sendEvent(&m_editor, event);
        m_forwarding = false;
        return true;
    }
    if (event->key() == Qt::Key_Delete) {
        if (m_deleteLine && !event->isAutoRepeat())
            m_deleteLine();
        return true;
    }
    if (event->key() == Qt::Key_F1) {
        if (m_commandBook && !event->isAutoRepeat())
            m_commandBook();
        return true;
    }
    // Modifiers, caret keys (with Shift they select), F-keys and shortcuts no menu
    // took go to the editor, which cannot change the text while locked: where the
    // caret stands decides where the tree and the dialogs write.
    if (!editsText(*event))
        return false;
    // A held key would stack one box behind the other.
    if (!event->isAutoRepeat())
        refuse();
    return true;
}

bool TypingLock::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        // Before the editor's own handling, which would take Tab to move the focus.
        if (watched == &m_editor)
            return keyDown(static_cast<QKeyEvent*>(event));
        break;
    case QEvent::ShortcutOverride:
        // F1 of a locked editor arms the command book through the window's own
        // path rather than the Help menu's shortcut.
        if (watched == &m_editor && locked() && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
            event->accept();
            return true;
        }
        break;
    case QEvent::InputMethod:
        if (locked()) {
            if (!static_cast<QInputMethodEvent*>(event)->commitString().isEmpty())
                refuse();
            return true;
        }
        m_editor.setSelColor(RichTextControl::white());
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
