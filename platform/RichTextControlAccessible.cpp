#include "platform/RichTextControlAccessible.h"

#include <QFontMetrics>
#include <QScrollBar>
#include <QTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {
QAccessibleInterface* forRichTextControl(const QString& /*className*/, QObject* object)
{
    auto* control = qobject_cast<QTextEdit*>(object);
    if (control && control->inherits("RichTextControl"))
        return new RichTextControlAccessible(control);
    return nullptr;
}
}

RichTextControlAccessible::RichTextControlAccessible(QTextEdit* control)
    : QAccessibleWidget(control, QAccessible::EditableText)
{
}

void RichTextControlAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(&forRichTextControl);
        return true;
    }();
    Q_UNUSED(installed);
}

QTextEdit* RichTextControlAccessible::control() const
{
    return static_cast<QTextEdit*>(widget());
}

bool RichTextControlAccessible::editable() const
{
    return !control()->isReadOnly() && (control()->textInteractionFlags() & Qt::TextEditable);
}

void* RichTextControlAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State RichTextControlAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.multiLine = true;
    s.editable = editable();
    s.readOnly = !editable();
    s.selectableText = true;
    return s;
}

QString RichTextControlAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Value)
        return control()->toPlainText();
    return QAccessibleWidget::text(kind);
}

void RichTextControlAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
    const QTextCursor cursor = control()->textCursor();
    if (selectionIndex != 0 || !cursor.hasSelection())
        return;
    *startOffset = cursor.selectionStart();
    *endOffset = cursor.selectionEnd();
}

int RichTextControlAccessible::selectionCount() const
{
    return control()->textCursor().hasSelection() ? 1 : 0;
}

void RichTextControlAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void RichTextControlAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex != 0)
        return;
    QTextCursor cursor = control()->textCursor();
    cursor.clearSelection();
    control()->setTextCursor(cursor);
}

void RichTextControlAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex != 0)
        return;
    const int last = characterCount();
    QTextCursor cursor = control()->textCursor();
    cursor.setPosition(std::clamp(startOffset, 0, last));
    cursor.setPosition(std::clamp(endOffset, 0, last), QTextCursor::KeepAnchor);
    control()->setTextCursor(cursor);
}

int RichTextControlAccessible::cursorPosition() const
{
    return control()->textCursor().position();
}

void RichTextControlAccessible::setCursorPosition(int position)
{
    QTextCursor cursor = control()->textCursor();
    cursor.setPosition(std::clamp(position, 0, characterCount()));
    control()->setTextCursor(cursor);
}

QString RichTextControlAccessible::text(int startOffset, int endOffset) const
{
    const int last = characterCount();
    const int from = std::clamp(startOffset, 0, last);
    const int to = std::clamp(endOffset, from, last);
    return control()->toPlainText().mid(from, to - from);
}

int RichTextControlAccessible::characterCount() const
{
    // Without the paragraph end the document always holds.
    return control()->document()->characterCount() - 1;
}

QRect RichTextControlAccessible::characterRect(int offset) const
{
    QTextEdit* edit = control();
    if (offset < 0 || offset > characterCount())
        return {};
    QTextCursor cursor(edit->document());
    cursor.setPosition(offset);
    QRect box = edit->cursorRect(cursor);
    const QTextBlock block = cursor.block();
    // The next caret place on the same line gives the width; a line's last character
    // (or the text's end) takes an average character's.
    if (offset < block.position() + block.length() - 1) {
        QTextCursor next = cursor;
        next.movePosition(QTextCursor::NextCharacter);
        const QRect after = edit->cursorRect(next);
        box.setWidth(after.top() == box.top() && after.x() > box.x() ? after.x() - box.x()
                                                                    : QFontMetrics(edit->font()).averageCharWidth());
    } else {
        box.setWidth(QFontMetrics(edit->font()).averageCharWidth());
    }
    box.moveTopLeft(edit->viewport()->mapToGlobal(box.topLeft()));
    return box;
}

int RichTextControlAccessible::offsetAtPoint(const QPoint& point) const
{
    QTextEdit* edit = control();
    const QPoint local = edit->viewport()->mapFromGlobal(point);
    if (!edit->viewport()->rect().contains(local))
        return -1;
    return edit->cursorForPosition(local).position();
}

void RichTextControlAccessible::scrollToSubstring(int startIndex, int /*endIndex*/)
{
    // Scrolls without moving the caret: the reader only asked to see the text.
    QTextEdit* edit = control();
    QTextCursor cursor(edit->document());
    cursor.setPosition(std::clamp(startIndex, 0, characterCount()));
    const QRect start = edit->cursorRect(cursor);
    const QRect shown = edit->viewport()->rect();
    if (shown.contains(start.topLeft()) && shown.contains(start.bottomLeft()))
        return;
    QScrollBar* bar = edit->verticalScrollBar();
    bar->setValue(bar->value() + start.top() - shown.height() / 3);
    QScrollBar* across = edit->horizontalScrollBar();
    if (start.left() < 0 || start.left() >= shown.width())
        across->setValue(across->value() + start.left() - shown.width() / 3);
}

QString RichTextControlAccessible::attributes(int offset, int* startOffset, int* endOffset) const
{
    // The colours mark the command words only; a reader needs none of it.
    *startOffset = *endOffset = std::clamp(offset, 0, characterCount());
    return {};
}

void RichTextControlAccessible::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, QString());
}

void RichTextControlAccessible::insertText(int offset, const QString& text)
{
    replaceText(offset, offset, text);
}

void RichTextControlAccessible::replaceText(int startOffset, int endOffset, const QString& text)
{
    if (!editable())
        return;
    const int last = characterCount();
    QTextCursor cursor = control()->textCursor();
    cursor.setPosition(std::clamp(std::min(startOffset, endOffset), 0, last));
    cursor.setPosition(std::clamp(std::max(startOffset, endOffset), 0, last), QTextCursor::KeepAnchor);
    cursor.insertText(text);
    control()->setTextCursor(cursor);
}
