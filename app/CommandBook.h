#pragma once

#include <QByteArray>
#include <QString>

class RichTextControl;
class ScriptWorkspace;
class ScriptWindow;
class Catalogue;

// Help > All Commands: every help page of the catalogue, each under a bold heading
// that names the command as it is typed ("/pet follow"), after a contents list that
// leads to each, in a new window that is read, not saved. The example scripts
// (group 9) are not commands and stay out; a command without a page gets no heading
// either.
class CommandBook {
public:
    // The book opens in a new one of `windows`.
    CommandBook(Catalogue& catalogue, ScriptWorkspace& windows);

    // Opens the new window and fills it. Returns that window, which is left empty
    // when the catalogue has no command outside group 9; null when no window could
    // be opened.
    ScriptWindow* build();

    // The RTF that introduces one page: an empty line, `heading` in bold 14-point
    // Arial, an empty 10-point line.
    static QByteArray headingPiece(const QString& heading);
    // The command as the player types it: "/" + the group's prefix and the word.
    static QString typedCommand(const QString& prefix, const QString& word);
    // Inserts RTF at the editor's caret, replacing its selection, and leaves the caret
    // after the inserted text.
    static void insertRtf(RichTextControl& editor, const QByteArray& rtf);

    static QString caption() { return QStringLiteral("Command Book"); }

private:
    Catalogue& m_catalogue;
    ScriptWorkspace& m_windows;
};
