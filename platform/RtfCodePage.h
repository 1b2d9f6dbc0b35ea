#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <optional>

// Turns the 8-bit bytes of an RTF text (\'hh escapes and raw bytes) into characters for one
// Windows code page. Windows-1252 is built in so that every byte value maps, whatever ICU
// support the Qt build has; other code pages go through QStringDecoder, and any code page
// Qt cannot decode falls back to Windows-1252.
class RtfCodePage {
public:
    explicit RtfCodePage(int codePage = 1252);

    // The code page actually used: 1252 when the requested one is unknown.
    int number() const { return m_number; }
    // Single-byte code pages can decode byte by byte; multi-byte ones need whole runs.
    bool isSingleByte() const { return m_singleByte; }

    void append(QString& out, QByteArrayView bytes);

    static char16_t windows1252(unsigned char byte);
    // The code page a \fcharset value stands for; 0 when the font uses the document's.
    static int forCharset(int charset);
    // The code page for a font-table entry: as its charset says, except that the Symbol
    // font has an encoding of its own.
    static int forFont(int charset, QByteArrayView name);

    // Windows' number for the symbol "code page".
    static constexpr int kSymbol = 42;

private:
    int m_number = 1252;
    bool m_singleByte = true;
    bool m_symbol = false;
    std::optional<QStringDecoder> m_decoder;
};
