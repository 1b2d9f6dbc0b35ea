#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QKeyEvent;
class RichTextControl;
class AppState;

// Keeps the player's hands off a script's text while free typing is off: every key
// that would write or remove text is answered by the "Free typing disabled" box
// (Delete deletes the command line, F1 opens the command book), while modifiers, the
// caret keys and every shortcut and access key of the menus work as usual; and the editor takes nothing from its context menu,
// the middle button, drag and drop or an input method. The toolbar, the menus, the
// tree and the dialogs write through the editor's selection and are not held.
//
// Free typing can be switched while the window is open (Edit > Free Type); the
// lock follows the switch as it happens.
class TypingLock : public QObject {
    Q_OBJECT
public:
    // `deleteLine` runs the Delete action of the window's toolbar; `commandBook` asks
    // for the command book (F1). Either may be empty.
    TypingLock(AppState& app, RichTextControl& editor, std::function<void()> deleteLine,
               std::function<void()> commandBook, QObject* parent = nullptr);

    bool locked() const;

    // The message the locked editor gives for a key.
    static QString disabledTitle();
    static QString disabledText();

    // A key pressed in the editor; true when it was swallowed.
    bool keyDown(QKeyEvent* event);
    // Whether a key would write or remove text in an editable editor: printable
    // characters, Enter, Backspace, Tab, space and the paste and cut keys.
    static bool editsText(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Editing by hand on or off, to match the flag.
    void applyFlag();
    void refuse();

    AppState& m_app;
    RichTextControl& m_editor;
    std::function<void()> m_deleteLine;
    std::function<void()> m_commandBook;
    bool m_forwarding = false;  // a key handed on to the editor inside an undo step
};
