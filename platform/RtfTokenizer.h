#pragma once

#include <QByteArrayView>

// Cuts RTF bytes into groups, control words, control symbols, hex bytes and text runs.
// It never allocates: every token points into the input, which must outlive it. Bad
// escapes come back as Error tokens and the tokenizer moves past them, so a reader can
// report the first one and keep going.
class RtfTokenizer {
public:
    enum class Kind { End, GroupOpen, GroupClose, ControlWord, ControlSymbol, HexByte, Text, Error };
    enum class Problem { None, TruncatedEscape, TruncatedHex, BadHexDigit };

    struct Token {
        Kind kind = Kind::End;
        qsizetype offset = 0;      // byte offset of the token's first byte
        QByteArrayView text;       // the control word's letters, or the text run's bytes
        bool hasParameter = false;
        int parameter = 0;         // saturated to +-kParameterLimit
        char symbol = 0;           // the control symbol's character ('\n' for a backslash before a line break)
        unsigned char byte = 0;    // the value of a \'hh escape
        Problem problem = Problem::None;
    };

    // Parameters beyond this magnitude are clamped, so absurd numbers never overflow.
    static constexpr int kParameterLimit = 1'000'000'000;

    explicit RtfTokenizer(QByteArrayView input);

    Token next();
    // Steps over raw bytes (the data of a \bin control word); returns how many it could skip.
    qsizetype skip(qsizetype count);
    qsizetype position() const { return m_pos; }
    bool atEnd() const { return m_pos >= m_input.size(); }

private:
    Token controlSequence(qsizetype start);

    QByteArrayView m_input;
    qsizetype m_pos = 0;
};
