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
Span SelectCurrentLine(RichTextControl& editor);

}
