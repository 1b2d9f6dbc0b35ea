#include "platform/RtfTokenizer.h"

#include <algorithm>

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

RtfTokenizer::RtfTokenizer(QByteArrayView input) : m_input(input) {}

RtfTokenizer::Token RtfTokenizer::next()
{
    const qsizetype size = m_input.size();
    // Line breaks in RTF source carry no meaning; they only split text runs.
    while (m_pos < size && (m_input[m_pos] == '\r' || m_input[m_pos] == '\n'))
        ++m_pos;

    Token token;
    token.offset = m_pos;
    if (m_pos >= size)
        return token;

    const char c = m_input[m_pos];
    if (c == '{') {
        ++m_pos;
        token.kind = Kind::GroupOpen;
        return token;
    }
    if (c == '}') {
        ++m_pos;
        token.kind = Kind::GroupClose;
        return token;
    }
    if (c == '\\')
        return controlSequence(m_pos);

    const qsizetype start = m_pos;
    while (m_pos < size) {
        const char t = m_input[m_pos];
        if (t == '{' || t == '}' || t == '\\' || t == '\r' || t == '\n')
            break;
        ++m_pos;
    }
    token.kind = Kind::Text;
    token.text = m_input.sliced(start, m_pos - start);
    return token;
}

RtfTokenizer::Token RtfTokenizer::controlSequence(qsizetype start)
{
    const qsizetype size = m_input.size();
    Token token;
    token.offset = start;
    m_pos = start + 1;
    if (m_pos >= size) {
        token.kind = Kind::Error;
        token.problem = Problem::TruncatedEscape;
        return token;
    }

    const char c = m_input[m_pos];
    if (c == '\'') {
        if (size - (m_pos + 1) < 2) {
            m_pos = size;
            token.kind = Kind::Error;
            token.problem = Problem::TruncatedHex;
            return token;
        }
        const int high = hexValue(m_input[m_pos + 1]);
        const int low = hexValue(m_input[m_pos + 2]);
        if (high < 0 || low < 0) {
            // Only the escape itself is dropped; the bytes after it are read again as text.
            ++m_pos;
            token.kind = Kind::Error;
            token.problem = Problem::BadHexDigit;
            return token;
        }
        m_pos += 3;
        token.kind = Kind::HexByte;
        token.byte = static_cast<unsigned char>(high * 16 + low);
        return token;
    }

    if (!isLetter(c)) {
        ++m_pos;
        token.kind = Kind::ControlSymbol;
        token.symbol = (c == '\r') ? '\n' : c;
        return token;
    }

    const qsizetype nameStart = m_pos;
    while (m_pos < size && isLetter(m_input[m_pos]))
        ++m_pos;
    token.kind = Kind::ControlWord;
    token.text = m_input.sliced(nameStart, m_pos - nameStart);

    bool negative = false;
    if (m_pos + 1 < size && m_input[m_pos] == '-' && isDigit(m_input[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < size && isDigit(m_input[m_pos])) {
        long long value = 0;
        while (m_pos < size && isDigit(m_input[m_pos])) {
            // Keep consuming digits but stop growing: the whole number is one token.
            value = std::min<long long>(value * 10 + (m_input[m_pos] - '0'), kParameterLimit);
            ++m_pos;
        }
        token.hasParameter = true;
        token.parameter = static_cast<int>(negative ? -value : value);
    }
    if (m_pos < size && m_input[m_pos] == ' ')
        ++m_pos;
    return token;
}

qsizetype RtfTokenizer::skip(qsizetype count)
{
    const qsizetype skipped = std::clamp<qsizetype>(count, 0, m_input.size() - m_pos);
    m_pos += skipped;
    return skipped;
}
