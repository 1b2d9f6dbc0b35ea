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

// Whether the selection [start, start + length) of `doc` is a match of the find text
// under the search's own rules (letter case as `options` say, whole words): the match
// found last time. An empty selection equals an empty find text.
bool selectionIsMatch(const QTextDocument& doc, int start, int length, const QString& findText, int options);

// Where Find Next searches from: past the selection when it is such a match, so it is
// not found again; otherwise from the start of the selection, or the caret.
int nextSearchStart(const QTextDocument& doc, int start, int length, const QString& findText, int options);

// Replaces every match of `findText` from the start of the cursor's selection (or
// its caret) to the end of the document, never searching text it has inserted.
// The whole run is one step of the editor's undo. Afterwards the cursor stands
// right after the last replacement; with no match it is left as it was. An empty
// find text matches nothing. Returns the number of replacements.
int replaceAll(QTextCursor& cursor, const QString& findText, const QString& replaceText, int options);

}
