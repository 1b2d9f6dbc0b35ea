#pragma once

#include <QString>
#include <QTextDocument>

class QTextCursor;

// The search steps of the find dialog, kept apart from the dialog.
namespace FindStepping {

// The find options the dialog builds from its two boxes: 2 whole word, 4 match case.
enum Option { WholeWord = 2, MatchCase = 4 };
int options(bool wholeWord, bool matchCase);
QTextDocument::FindFlags findFlags(int options);

// Where Find Next searches from. A selection that is exactly the find text (letter
// case included, whatever the options) is the match found last time: step past it.
// Anything else searches from the start of the selection, or the caret.
int nextSearchStart(const QString& selected, int selectionStart, const QString& findText);

// Replace asks whether the selection is the thing to replace: the exact text,
// letter case included. An empty selection equals an empty find text.
bool selectionIsMatch(const QString& selected, const QString& findText);

// Replaces every match of `findText` from the start of the cursor's selection (or
// its caret) to the end of the document, never searching text it has inserted.
// The whole run is one step of the editor's undo. Afterwards the cursor stands
// right after the last replacement; with no match it is left as it was. An empty
// find text matches nothing. Returns the number of replacements.
int replaceAll(QTextCursor& cursor, const QString& findText, const QString& replaceText, int options);

}
