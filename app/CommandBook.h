#pragma once

#include <QByteArray>
#include <QString>

class QWidget;
class RichTextControl;
class ScriptWorkspace;
class ScriptWindow;
class Catalogue;

// Help > All Commands: every help page of the catalogue, each under its own bold
// heading, written into a new script window. The example scripts (group 9) are not
// commands and stay out; a command without a page gets no heading either.
class CommandBook {
public:
    // The book opens in a new one of `windows`; `mainWindow` takes the book's caption.
    CommandBook(Catalogue& catalogue, ScriptWorkspace& windows, QWidget& mainWindow);

    // Opens the new window and fills it. Returns that window, which is left empty
    // when the catalogue has no command outside group 9; null when no window could
    // be opened.
    ScriptWindow* build();

    // The first letter of every word upper case, every other letter lower case; words
    // are separated by white space ("pet attack" -> "Pet Attack").
    static QString properCase(const QString& text);
    // The RTF that introduces one page: an empty line, "<Word> command" in bold
    // 14-point Arial, an empty 10-point line.
    static QByteArray headingPiece(const QString& commandWord);
    // Inserts RTF at the editor's caret, replacing its selection, and leaves the caret
    // after the inserted text.
    static void insertRtf(RichTextControl& editor, const QByteArray& rtf);

    static QString caption() { return QStringLiteral("System Help - All Commands"); }

private:
    Catalogue& m_catalogue;
    ScriptWorkspace& m_windows;
    QWidget& m_mainWindow;
};
