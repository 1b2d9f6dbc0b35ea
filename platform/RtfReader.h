#pragma once

#include <QByteArray>
#include <QString>

class QTextCursor;

struct RtfResult {
    bool ok = true;  // false: the text is not well-formed RTF (see check)
    QString error;   // why, with the byte offset where it went wrong
};

// Reads the RTF of help pages and command book pieces into a QTextDocument, because Qt
// reads no RTF of its own.
//
// Formatting: the inserted text starts from the cursor's character format, and only what
// the RTF states overrides it (bold, italic, underline, strike, size, font, colours).
// \plain, and a colour-table entry left empty ("auto"), go back to the cursor's format,
// not to a 12-point black default, so a piece dropped into a white-on-black script shows
// in the script's colours unless it names its own.
//
// Paragraphs: each \par ends a block. The RTF paragraph format (alignment, indents,
// spacing, tab stops) is applied only to blocks that hold inserted text alone; a block that
// the insertion splits keeps its own format, so the text around the cursor is left as it
// was. A hanging indent stops the first tab at the left indent, as word processors do, so
// a bullet or number followed by a tab lines its item up with the item's wrapped lines.
// List numbering shows through the text writers store for it (\pntext, \listtext).
class RtfReader {
public:
    // Deeper groups still parse, but share the state of the deepest tracked group.
    static constexpr int kMaxDepth = 256;

    // Inserts the formatted text of `rtf` at the cursor (complete documents "{\rtf1...}"
    // and fragments alike), replacing its selection, as one undo step, and leaves the
    // cursor after the inserted text. Never crashes, hangs or grows memory without bound;
    // on malformed input it inserts what it could read and reports ok=false.
    static RtfResult insert(QTextCursor& cursor, const QByteArray& rtf);
    // Reads without inserting anything: whether `rtf` is a complete, well-formed document:
    // it starts with {\rtf, its groups balance, no escape or hex byte is cut short, and
    // nothing but white space follows its last '}'.
    static RtfResult check(const QByteArray& rtf);
};
