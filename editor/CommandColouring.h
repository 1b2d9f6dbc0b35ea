#pragma once

#include <QList>
#include <QString>

class RichTextControl;

// Where the chat command words of a script are, and their colouring.
//
// From the top, each step takes the first "/" after the previous line end and colours
// it up to (not including) the first space after it, then jumps to the end of the
// line that holds that space. So at most one span starts on a line; a command without
// a value runs on, across the line break, to the first space of a later line; and a
// "/" with no space anywhere after it ends the walk uncoloured.
class CommandColouring {
public:
    struct Span {
        int start = 0;
        int length = 0;
        friend bool operator==(const Span&, const Span&) = default;
    };

    // Positions count a line break ("\n") as one character, as the editor does.
    static QList<Span> spans(const QString& text);

    // Colours the spans green in one edit block of the control's document. The
    // control's own selection and caret are not touched, and nothing is whitened.
    static void apply(RichTextControl& control, const QList<Span>& spans);
};

// The colouring pass of a script window's editor: spans of its whole text, applied.
void HighlightCommands(RichTextControl& control);
