#pragma once

#include <QString>

class RichTextControl;

// The line that holds the caret, as the toolbar's Delete, the double-click on a line
// and the insertion from the tree see it: from just after the line break before the
// selection start up to (not including) the next line break or the end of the text.
namespace LineSelection {

struct Span {
    int start = 0;
    int length = 0;
    friend bool operator==(const Span&, const Span&) = default;
};

// The span of the line holding `position` in `text` ("\n" between lines). A position
// outside the text is taken as its nearest end.
Span currentLine(const QString& text, int position);

// Selects that line in the editor, from its selection start; returns what it selected.
Span selectCaretLine(RichTextControl& editor);

// Where whole lines go so that they never glue onto a line of the script: at the
// caret when it stands at the start of a line (an empty line included), otherwise at
// the start of the next line; on a last line without a break, after a line break
// written first. Whatever is selected stays: only its start counts.
struct LinePlace {
    int at = 0;
    bool breakFirst = false;
    friend bool operator==(const LinePlace&, const LinePlace&) = default;
};
LinePlace wholeLinePlace(const QString& text, int position);

// Moves the editor's caret to the place for whole lines; true when the lines to be
// written there must start with a line break.
bool moveToWholeLinePlace(RichTextControl& editor);

// Writes `lines` (each ending in a line break) at that place in white, as one undo
// step; the caret ends after them.
void writeWholeLines(RichTextControl& editor, const QString& lines);

// Puts the caret at the start of line `line` (1-based) and brings the editor's
// script window forward with the focus in it; false when the script no longer has
// that line (cut short since a panel listed it).
bool showLine(RichTextControl& editor, int line);

}
