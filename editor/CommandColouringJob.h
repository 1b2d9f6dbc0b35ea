#pragma once

#include <QObject>
#include <QTextCursor>
#include <QTimer>

class QTextBlock;
class RichTextControl;

// The rest of a long script's first colouring, a slice of a few milliseconds at a time
// while the editor is idle, so that opening a long script shows its first screen at
// once and the editor takes keys from the start.
//
// It runs only while the text is as it was loaded: the first edit (or anything that
// could be undone) hands what is left over to the colouring of edits, as if it had
// been edited, and ends the job. Its slices thus never touch an undo history.
class CommandColouringJob : public QObject {
    Q_OBJECT
public:
    // Colours the control's text from `block` on, whose line starts with the span that
    // started at `openAt` still open (-1: none). Replaces any job of the control.
    static void start(RichTextControl& control, const QTextBlock& block, int openAt);
    // Colours what is left at once.
    static void finish(RichTextControl& control);
    // Drops what is left (a full pass follows).
    static void cancel(RichTextControl& control);

private:
    CommandColouringJob(RichTextControl& control, const QTextBlock& block, int openAt);
    static CommandColouringJob* of(RichTextControl& control);
    // Colours for about `milliseconds`; ends the job when all is done.
    void step(int milliseconds);
    void handOver();
    void end();

    RichTextControl& m_control;
    // The start of the first line not walked yet; it moves with an edit, so what is
    // left can still be handed over after it.
    QTextCursor m_next;
    int m_openAt;
    QTimer m_timer;
};
