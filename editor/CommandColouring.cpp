#include "editor/CommandColouring.h"

#include "editor/CommandColouringJob.h"
#include "platform/RichTextControl.h"

#include <QElapsedTimer>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {
using Span = CommandColouring::Span;

// The end of a block: the position of its line break.
int endOf(const QTextBlock& block)
{
    return block.position() + block.length() - 1;
}

// A span still open at the end of a block, as the block's note: how far back it
// started, so that edits before the span or after the block leave the note true.
// No span open is 0.
int noteAt(int blockEnd, int openAt)
{
    return openAt >= 0 ? blockEnd - openAt : 0;
}

int noteFor(const QTextBlock& block, int openAt)
{
    return noteAt(endOf(block), openAt);
}

int openAtIn(const QTextBlock& block)
{
    const int note = block.userState();
    return note > 0 ? endOf(block) - note : -1;
}

// The walk over one block of the document, whose text starts at `base`: Shift+Enter's
// soft breaks inside it end lines too, as they do in the editor's text. `openAt` is the
// start of a span still open, or -1; it is updated for the block's end.
void walkBlock(const QString& text, int base, int& openAt, QList<Span>& found)
{
    const QStringView all(text);
    qsizetype lineStart = 0;
    for (;;) {
        qsizetype lineEnd = all.indexOf(QChar::LineSeparator, lineStart);
        if (lineEnd < 0)
            lineEnd = all.size();
        const QStringView line = all.mid(lineStart, lineEnd - lineStart);
        const int lineBase = base + int(lineStart);
        if (openAt >= 0) {
            if (const qsizetype space = line.indexOf(u' '); space >= 0) {
                found.append({openAt, lineBase + int(space) - openAt});
                openAt = -1;
            }
        } else if (const qsizetype slash = line.indexOf(u'/'); slash >= 0) {
            if (const qsizetype space = line.indexOf(u' ', slash); space >= 0)
                found.append({lineBase + int(slash), int(space - slash)});
            else
                openAt = lineBase + int(slash);
        }
        if (lineEnd == all.size())
            return;
        lineStart = lineEnd + 1;
    }
}

// Whether every character of the span shows green already. Merging green into it again
// would add a step to Undo that changes nothing, and would cut the player's typing,
// which Undo takes back as one step, into a step per key.
bool showsGreen(const QTextDocument& doc, const Span& span)
{
    const int end = span.start + span.length;
    for (QTextBlock block = doc.findBlock(span.start); block.isValid() && block.position() < end; block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment piece = it.fragment();
            if (piece.position() + piece.length() <= span.start || piece.position() >= end)
                continue;
            if (piece.charFormat().foreground().color() != RichTextControl::green())
                return false;
        }
        // A span running on across the line end colours the line break too; the next
        // line's block holds its format.
        const QTextBlock next = block.next();
        if (next.isValid() && next.position() - 1 < end && next.charFormat().foreground().color() != RichTextControl::green())
            return false;
    }
    return true;
}

void colour(RichTextControl& control, QList<Span> spans, bool joinLastEdit)
{
    if (joinLastEdit)
        spans.removeIf([&control](const Span& span) { return showsGreen(*control.document(), span); });
    if (spans.isEmpty())
        return;
    RichTextControl::FormattingScope formatting(control);
    QTextCharFormat green;
    green.setForeground(RichTextControl::green());
    // A cursor of its own, so the player's selection stays where it is.
    QTextCursor cursor(control.document());
    if (joinLastEdit)
        cursor.joinPreviousEditBlock();
    else
        cursor.beginEditBlock();
    for (const Span& span : spans) {
        cursor.setPosition(span.start);
        cursor.setPosition(span.start + span.length, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(green);
    }
    cursor.endEditBlock();
}

// Where the walk goes on after the line end that follows `position`: the next soft
// break in its block, or the block's end; -1 after the last line.
int lineEndAfter(const QTextDocument& doc, int position)
{
    const QTextBlock block = doc.findBlock(position);
    const qsizetype soft = block.text().indexOf(QChar::LineSeparator, position - block.position());
    if (soft >= 0)
        return block.position() + int(soft);
    return block.next().isValid() ? block.position() + block.length() - 1 : -1;
}
}

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

namespace {
// A span that crosses line ends is open at each of them.
void noteSpans(QTextDocument& doc, QList<Span>::const_iterator from,
               QList<Span>::const_iterator to)
{
    for (auto span = from; span != to; ++span) {
        const int end = span->start + span->length;
        for (QTextBlock block = doc.findBlock(span->start); block.isValid() && endOf(block) < end; block = block.next())
            block.setUserState(noteFor(block, span->start));
    }
}

// All the spans of the text, now.
void colourAll(RichTextControl& control, const QList<Span>& spans)
{
    QTextDocument& doc = *control.document();
    colour(control, spans, false);
    noteSpans(doc, spans.begin(), spans.end());
    // A slash after the last span has no space after it: open from there to the end.
    const int from = spans.isEmpty() ? 0 : lineEndAfter(doc, spans.last().start + spans.last().length);
    if (from < 0)
        return;
    const QTextCursor slash = doc.find(QStringLiteral("/"), from);
    if (slash.isNull())
        return;
    const int at = slash.selectionStart();
    for (QTextBlock block = doc.findBlock(at); block.isValid(); block = block.next())
        block.setUserState(noteFor(block, at));
}

// The spans of a long text's first kColourAtOnce characters now, the rest by a job.
void colourFromTop(RichTextControl& control, const QList<Span>& spans)
{
    QTextDocument& doc = *control.document();
    // A long text: the spans before the line that holds its kColourAtOnce-th character
    // now, the rest later. With spans after that line there is a space after every
    // slash before it, so the walk enters the line with a span open only when a span
    // runs across its start.
    constexpr int atOnce = CommandColouring::kColourAtOnce;
    const QTextBlock later = doc.characterCount() > atOnce ? doc.findBlock(atOnce) : QTextBlock();
    const auto firstLater = later.isValid() ? std::lower_bound(spans.begin(), spans.end(), later.position(),
                                                               [](const Span& s, int at) { return s.start < at; })
                                            : spans.end();
    if (firstLater == spans.end()) {
        colourAll(control, spans);
        return;
    }
    const QList<Span> now(spans.begin(), firstLater);
    colour(control, now, false);
    noteSpans(doc, now.begin(), now.end());
    const bool runsIn = !now.isEmpty() && now.last().start + now.last().length >= later.position();
    CommandColouringJob::start(control, later, runsIn ? now.last().start : -1);
}
}

void CommandColouring::apply(RichTextControl& control, const QList<Span>& spans)
{
    QTextDocument& doc = *control.document();
    CommandColouringJob::cancel(control);
    // Colouring a text nothing can be undone in yet (a fresh load) is no step to undo.
    const bool fresh = !doc.isUndoAvailable() && !doc.isRedoAvailable() && doc.isUndoRedoEnabled();
    if (fresh)
        doc.setUndoRedoEnabled(false);
    colourFromTop(control, spans);
    if (fresh)
        doc.setUndoRedoEnabled(true);
}

QTextBlock CommandColouring::colourOn(RichTextControl& control, QTextBlock block, int& openAt, int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    QList<Span> found;
    // Positions counted along the walk: asking each block its own climbs Qt's block tree.
    int base = block.isValid() ? block.position() : 0;
    for (int walked = 1; block.isValid(); base += block.length(), block = block.next(), ++walked) {
        walkBlock(block.text(), base, openAt, found);
        block.setUserState(noteAt(base + block.length() - 1, openAt));
        if (openAt < 0 && walked % 256 == 0 && clock.elapsed() >= milliseconds) {
            block = block.next();
            break;
        }
    }
    colour(control, found, false);
    return block;
}

bool CommandColouring::colourEdits(RichTextControl& control)
{
    QTextDocument& doc = *control.document();
    if (doc.isRedoAvailable())
        return false;
    CommandColouringJob::finish(control);
    const QList<RichTextControl::Stretch> edits = control.takeEdits();
    if (edits.isEmpty())
        return true;
    // A note tells where an open span started only while no edit lies between that
    // start and the note's line end: an edit there moves one against the other.
    auto edited = [&](int from, int to) {
        return std::any_of(edits.begin(), edits.end(), [&](const RichTextControl::Stretch& e) {
            return e.from <= to && e.to >= from;
        });
    };
    QList<Span> found;
    QTextBlock block;
    int openAt = -1;
    int until = 0;
    qsizetype next = 0;
    auto startAt = [&](const RichTextControl::Stretch& edit) {
        block = doc.findBlock(edit.from);
        until = edit.to;
        ++next;
        // A span open into this line whose start the note no longer tells: walk again
        // from the line before, until one whose note can be trusted.
        for (;;) {
            const QTextBlock before = block.previous();
            openAt = before.isValid() ? openAtIn(before) : -1;
            if (openAt < 0 || !edited(openAt, endOf(before)))
                return;
            block = before;
        }
    };
    startAt(edits.first());
    while (block.isValid()) {
        walkBlock(block.text(), block.position(), openAt, found);
        const int note = noteFor(block, openAt);
        const int before = std::max(block.userState(), 0);
        block.setUserState(note);
        const int blockEnd = block.position() + block.length();
        while (next < edits.size() && edits[next].from < blockEnd)
            until = std::max(until, edits[next++].to);
        // Past the edits and leaving this line as the last pass did: the lines below
        // are coloured as they were, up to the next edit.
        if (block.position() > until && note == before && (openAt < 0 || !edited(openAt, endOf(block)))) {
            if (next == edits.size())
                break;
            startAt(edits[next]);
            continue;
        }
        block = block.next();
    }
    colour(control, found, true);
    return true;
}

void HighlightCommands(RichTextControl& control)
{
    CommandColouringJob::cancel(control);
    for (QTextBlock block = control.document()->begin(); block.isValid(); block = block.next())
        block.setUserState(-1);
    colourAll(control, CommandColouring::spans(control.Text()));
    control.clearEdits();
}
