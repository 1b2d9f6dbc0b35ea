#pragma once

#include "platform/RtfState.h"

#include <QString>
#include <QStringView>
#include <QTextBlockFormat>
#include <QTextCharFormat>

class QTextCursor;
class RtfTables;

// Writes what the parser reads into a QTextDocument at a cursor: text in runs of one
// character format, and a block per paragraph with the paragraph's format. It reads the
// parser's current group state and tables when it needs a format, so the parser only says
// when they changed. Without a cursor it writes nothing (a check of the RTF alone).
class RtfDocumentWriter {
public:
    RtfDocumentWriter(QTextCursor* cursor, const RtfGroupState& state, const RtfTables& tables);

    // Opens one undo step and replaces the cursor's selection.
    void begin();
    // Closes the undo step; the last paragraph, unless the RTF ended it, takes its format
    // when it holds inserted text alone.
    void finish();

    // Decoded text in the current character format, held back until the format changes.
    void addCharacters(QStringView chars);
    // Inserts the held-back text.
    void flush();
    // The current character format, or the tables it is built from, changed: call after flush.
    void formatChanged() { m_formatDirty = true; }
    // Ends the paragraph: the text so far goes in, and a new block starts.
    void endParagraph();

    // The block format for a paragraph state, on top of the format the cursor's block had.
    QTextBlockFormat blockFormat(const RtfParagraphState& paragraph) const;

private:
    void breakBlock();
    const QTextCharFormat& charFormat();

    QTextCursor* m_cursor;
    const RtfGroupState& m_state;
    const RtfTables& m_tables;

    QString m_run;  // decoded text waiting for one insert in one format
    QTextCharFormat m_format;
    bool m_formatDirty = true;

    QTextCharFormat m_baseChar;
    QTextBlockFormat m_baseBlock;
    bool m_blockOwned = false;  // the cursor's block holds inserted text only (before the cursor)
    bool m_blockHasText = false;
    RtfParagraphState m_lastParagraph;
};
