#include "editor/LineSelection.h"

#include "platform/RichTextControl.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

LineSelection::Span LineSelection::currentLine(const QString& text, int position)
{
    const qsizetype at = std::clamp<qsizetype>(position, 0, text.size());
    // A break right at the caret ends the caret's line; only breaks before it start one.
    const qsizetype before = at > 0 ? text.lastIndexOf(QLatin1Char('\n'), at - 1) : -1;
    const qsizetype start = before + 1;
    qsizetype end = text.indexOf(QLatin1Char('\n'), start);
    if (end < 0)
        end = text.size();
    return {static_cast<int>(start), static_cast<int>(end - start)};
}

LineSelection::Span LineSelection::selectCaretLine(RichTextControl& editor)
{
    const Span line = currentLine(editor.Text(), editor.SelStart());
    editor.select(line.start, line.length);
    return line;
}

LineSelection::LinePlace LineSelection::wholeLinePlace(const QString& text, int position)
{
    const Span line = currentLine(text, position);
    const int at = std::clamp(position, 0, static_cast<int>(text.size()));
    if (at == line.start)
        return {at, false};
    const int end = line.start + line.length;
    if (end < text.size())
        return {end + 1, false};
    return {end, true};
}

bool LineSelection::moveToWholeLinePlace(RichTextControl& editor)
{
    const LinePlace place = wholeLinePlace(editor.Text(), editor.SelStart());
    editor.setSelStart(place.at);
    return place.breakFirst;
}

void LineSelection::writeWholeLines(RichTextControl& editor, const QString& lines)
{
    RichTextControl::UndoStep step(editor);
    const bool breakFirst = moveToWholeLinePlace(editor);
    editor.setSelColor(RichTextControl::white());
    editor.setSelText(breakFirst ? QLatin1Char('\n') + lines : lines);
}

bool LineSelection::showLine(RichTextControl& editor, int line)
{
    const QTextBlock block = line >= 1 ? editor.document()->findBlockByNumber(line - 1) : QTextBlock();
    if (!block.isValid())
        return false;
    editor.setSelStart(block.position());
    editor.ensureCursorVisible();
    for (QWidget* w = editor.parentWidget(); w; w = w->parentWidget()) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) {
            if (QMdiArea* area = sub->mdiArea())
                area->setActiveSubWindow(sub);
            break;
        }
    }
    editor.setFocus();
    return true;
}
