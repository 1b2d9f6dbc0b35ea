#include "dialogs/FindStepping.h"

#include <QTextCursor>

namespace FindStepping {

int options(bool wholeWord, bool matchCase)
{
    return (wholeWord ? WholeWord : 0) | (matchCase ? MatchCase : 0);
}

QTextDocument::FindFlags findFlags(int options)
{
    QTextDocument::FindFlags flags;
    if (options & WholeWord)
        flags |= QTextDocument::FindWholeWords;
    if (options & MatchCase)
        flags |= QTextDocument::FindCaseSensitively;
    return flags;
}

bool selectionIsMatch(const QTextDocument& doc, int start, int length, const QString& findText, int options)
{
    if (findText.isEmpty())
        return length == 0;
    if (length != findText.size())
        return false;
    const QTextCursor match = doc.find(findText, start, findFlags(options));
    return !match.isNull() && match.selectionStart() == start && match.selectionEnd() == start + length;
}

int nextSearchStart(const QTextDocument& doc, int start, int length, const QString& findText, int options)
{
    if (!findText.isEmpty() && selectionIsMatch(doc, start, length, findText, options))
        return start + length;
    return start;
}

int replaceAll(QTextCursor& cursor, const QString& findText, const QString& replaceText, int options)
{
    // An empty search text would match everywhere and never let the loop end.
    if (findText.isEmpty() || cursor.isNull())
        return 0;
    QTextDocument* doc = cursor.document();
    const QTextDocument::FindFlags flags = findFlags(options);
    int from = cursor.selectionStart();
    int count = 0;
    QTextCursor match = doc->find(findText, from, flags);
    if (match.isNull())
        return 0;
    // One edit block: one undo step, and the layout and change signals follow once
    // at the end instead of once per match. It opens at the first match, where Undo
    // puts the caret back.
    QTextCursor edit(doc);
    edit.setPosition(match.selectionStart());
    edit.beginEditBlock();
    QTextCursor last;
    for (; !match.isNull(); match = doc->find(findText, from, flags)) {
        match.insertText(replaceText);
        from = match.position();
        last = match;
        ++count;
    }
    edit.endEditBlock();
    if (count > 0) {
        cursor.setPosition(last.position());
    }
    return count;
}

}
