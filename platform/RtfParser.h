#pragma once

#include "platform/RtfControlWords.h"
#include "platform/RtfDocumentWriter.h"
#include "platform/RtfReader.h"
#include "platform/RtfState.h"
#include "platform/RtfTables.h"
#include "platform/RtfTokenizer.h"

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

class QTextCursor;

// Reads RTF tokens: keeps the group stack and the skipped destinations, hands each control
// word to its family, decodes text in the current font's code page, and tells the document
// writer what to write. Without a cursor it only checks the RTF.
class RtfParser {
public:
    RtfParser(QByteArrayView input, QTextCursor* cursor);

    // requireDocument: the text must be one complete "{\rtf...}" document.
    RtfResult run(bool requireDocument);

private:
    bool startsDocument(bool requireDocument);
    void token(const RtfTokenizer::Token& token);
    void checkNothingFollows();
    void fail(qsizetype offset, const QString& why);
    void reportProblem(const RtfTokenizer::Token& token);

    void openGroup();
    void closeGroup(qsizetype offset);
    void beginSkip();
    int depth() const { return int(m_stack.size()) + m_overflow; }

    void controlWord(const RtfTokenizer::Token& token);
    void documentWord(RtfWord word, const RtfTokenizer::Token& token);
    void setDocumentCodePage(int number);
    void tableWord(RtfWord word, int parameter);
    void characterWord(RtfWord word, const RtfTokenizer::Token& token);
    void breakWord(RtfWord word);
    void controlSymbol(char symbol);

    void text(QByteArrayView bytes);
    void byte(char value);
    void character(char32_t value);

    void changeCharacterState();
    void tablesChanged();
    void decodePending();
    void flushText();
    void paragraph();

    QByteArrayView m_input;
    RtfTokenizer m_tokens;
    RtfResult m_result;

    RtfGroupState m_state;
    std::vector<RtfGroupState> m_stack;
    int m_overflow = 0;      // groups opened beyond RtfReader::kMaxDepth
    int m_skipDepth = 0;     // > 0: inside a skipped destination, counting its nested groups
    int m_fallbackLeft = 0;  // characters still to drop after a \u

    RtfTables m_tables;
    RtfCodePage* m_codePage = nullptr;  // the current font's, until the font changes
    QByteArray m_pendingBytes;          // text bytes not yet decoded
    RtfDocumentWriter m_writer;
};
