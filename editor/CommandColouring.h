#pragma once

#include <QList>
#include <QString>

class QTextBlock;
class RichTextControl;

// Where the chat command words of a script are, and their colouring.
//
// From the top, each step takes the first "/" after the previous line end and colours
// it up to (not including) the first space after it, then jumps to the end of the
// line that holds that space. So at most one span starts on a line; a command without
// a value runs on, across the line break, to the first space of a later line; and a
// "/" with no space anywhere after it ends the walk uncoloured.
//
// The walk is the same line by line: a line starts either with no span open, or inside
// a span that began on an earlier line. Each block of the editor's document keeps, in
// its user state, how the walk left it (0 or less: no span open; n > 0: a span that
// started n characters before the block's line break is still open), so that after an
// edit the walk can start again at the edited line and stop as soon as it leaves a line
// the way it did before.
class CommandColouring {
public:
    struct Span {
        int start = 0;
        int length = 0;
        friend bool operator==(const Span&, const Span&) = default;
    };

    // Positions count a line break ("\n") as one character, as the editor does.
    static QList<Span> spans(const QString& text);

    // Colours the spans of the control's whole text green and notes on each line how
    // the walk leaves it. The control's own selection and caret are not touched, and
    // nothing is whitened. Lines not reached by a span keep their notes: fresh from a
    // load they say no span is open. Past its first kColourAtOnce characters, a text is
    // coloured a slice at a time while the editor is idle (CommandColouringJob), so a
    // long script shows at once. On a text with nothing to undo yet (a fresh load) the
    // colouring leaves no undo step.
    static void apply(RichTextControl& control, const QList<Span>& spans);
    static constexpr int kColourAtOnce = 1 << 14;

    // Walks on from `block`, whose line starts with the span that started at `openAt`
    // still open (-1: none), colouring what it finds and noting how it leaves each line,
    // to the end of the text or, once `milliseconds` have passed, to the next line end
    // with no span open. Returns the first block not walked (invalid at the end) and
    // leaves `openAt` as the walk left the last line.
    static QTextBlock colourOn(RichTextControl& control, QTextBlock block, int& openAt, int milliseconds);

    // The periodic pass: colours what the edits since the last pass changed, walking
    // from each edited line until the walk leaves a line as it did before, so its cost
    // does not grow with the script. The colouring joins the player's last edit, so
    // Undo takes both back at once and the pass adds no undo step of its own. While the
    // player can still redo, it waits (a new step would drop the redo) and returns false.
    static bool colourEdits(RichTextControl& control);
};

// The colouring pass over the whole text of an editor: spans of its whole text, applied,
// and every line's note made afresh.
void HighlightCommands(RichTextControl& control);
