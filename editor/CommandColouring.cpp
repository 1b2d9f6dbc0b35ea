#include "editor/CommandColouring.h"

#include "platform/RichTextControl.h"

#include <QTextCursor>
#include <QTextDocument>

QList<CommandColouring::Span> CommandColouring::spans(const QString& text)
{
    QList<Span> result;
    qsizetype from = 0;
    for (;;) {
        const qsizetype slash = text.indexOf(u'/', from);
        if (slash < 0)
            break;
        // No space after this slash means none after any later slash either.
        const qsizetype space = text.indexOf(u' ', slash);
        if (space < 0)
            break;
        result.append({int(slash), int(space - slash)});
        const qsizetype lineEnd = text.indexOf(u'\n', space);
        if (lineEnd < 0)
            break;
        from = lineEnd;
    }
    return result;
}

void CommandColouring::apply(RichTextControl& control, const QList<Span>& spans)
{
    if (spans.isEmpty())
        return;
    RichTextControl::FormattingScope formatting(control);
    QTextCharFormat green;
    green.setForeground(RichTextControl::green());
    // A cursor of its own, so the player's selection stays where it is.
    QTextCursor cursor(control.document());
    cursor.beginEditBlock();
    for (const Span& span : spans) {
        cursor.setPosition(span.start);
        cursor.setPosition(span.start + span.length, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(green);
    }
    cursor.endEditBlock();
}

void HighlightCommands(RichTextControl& control)
{
    CommandColouring::apply(control, CommandColouring::spans(control.Text()));
}
