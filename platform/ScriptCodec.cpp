#include "platform/ScriptCodec.h"

#include <array>

namespace {
// 0x80..0x9F of Windows-1252; the undefined entries keep their own number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char16_t kLineSeparator = u'\n';
}

QChar ScriptCodec::toChar(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kHighControls[byte - 0x80]);
    return QChar(char16_t(byte));
}

int ScriptCodec::toByte(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == u)
            return int(0x80 + i);
    return -1;
}

bool ScriptCodec::isScript(const QByteArray& bytes)
{
    return !bytes.contains('\0');
}

QString ScriptCodec::decode(const QByteArray& bytes)
{
    QString text;
    text.resize(bytes.size());
    QChar* out = text.data();
    const char* in = bytes.constData();
    const qsizetype n = bytes.size();
    qsizetype w = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(in[i]);
        if (b == '\r') {
            out[w++] = QChar(kLineSeparator);
            // CR CR LF is one line end (a CR LF file passed once more through a
            // CR-adding copy), not a line end and an empty line.
            if (i + 2 < n && in[i + 1] == '\r' && in[i + 2] == '\n')
                i += 2;
            else if (i + 1 < n && in[i + 1] == '\n')
                ++i;
        } else if (b == '\n') {
            out[w++] = QChar(kLineSeparator);
        } else if (b < 0x80) {
            out[w++] = QChar(char16_t(b));
        } else {
            out[w++] = toChar(b);
        }
    }
    text.truncate(w);
    return text;
}

QByteArray ScriptCodec::lineBreakOf(const QByteArray& bytes)
{
    const qsizetype first = bytes.indexOf('\n');
    return first >= 2 && bytes[first - 1] == '\r' && bytes[first - 2] == '\r' ? QByteArray("\r\r\n")
                                                                                 : QByteArray("\r\n");
}

QByteArray ScriptCodec::encode(const QString& text, const QByteArray& lineBreak)
{
    QByteArray bytes;
    bytes.reserve(text.size() + text.size() / 16);
    const qsizetype n = text.size();
    const QChar* in = text.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = in[i];
        const char16_t u = c.unicode();
        if (u == '\r') {
            bytes.append(lineBreak);
            if (i + 1 < n && in[i + 1] == u'\n')
                ++i;
        } else if (u == '\n' || c == QChar::ParagraphSeparator) {
            bytes.append(lineBreak);
        } else if (u < 0x80) {
            bytes.append(char(u));
        } else if (const int b = toByte(c); b >= 0) {
            bytes.append(char(b));
        } else {
            // One "?" per character, not per UTF-16 unit.
            if (c.isHighSurrogate() && i + 1 < n && in[i + 1].isLowSurrogate())
                ++i;
            bytes.append('?');
        }
    }
    return bytes;
}

ScriptCodec::Losses ScriptCodec::losses(const QString& text)
{
    Losses found;
    qsizetype line = 1;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator) {
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            ++line;
        } else if (toByte(c) < 0) {
            if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate())
                ++i;
            if (found.count++ == 0)
                found.firstLine = line;
        }
    }
    return found;
}

QString ScriptCodec::normaliseLineBreaks(const QString& text)
{
    if (!text.contains(u'\r') && !text.contains(QChar::ParagraphSeparator))
        return text;
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            out.append(QChar(kLineSeparator));
            if (i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
        } else if (c == QChar::ParagraphSeparator) {
            out.append(QChar(kLineSeparator));
        } else {
            out.append(c);
        }
    }
    return out;
}
