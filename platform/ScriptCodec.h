#pragma once

#include <QByteArray>
#include <QString>

// Bytes of a script file <-> the editor's text.
//
// Windows-1252 with every byte value kept: the five byte values that code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the characters of the
// same number, so any file without NUL comes back byte for byte. CR LF, CR CR LF,
// lone LF and lone CR all read as one line break ("\n"); writing puts CR LF (or
// the file's own CR CR LF) for every line break. A character Windows-1252 cannot hold is written as "?".
class ScriptCodec {
public:
    // A script is text: a NUL byte marks a binary file that must not be opened.
    static bool isScript(const QByteArray& bytes);
    static QString decode(const QByteArray& bytes);
    // `lineBreak`: what each line break is written as.
    static QByteArray encode(const QString& text, const QByteArray& lineBreak = QByteArrayLiteral("\r\n"));
    // The line break a file spells: "\r\r\n" when its first line ends so, else
    // "\r\n". Written back, such a file keeps its bytes.
    static QByteArray lineBreakOf(const QByteArray& bytes);

    // The characters encode() would write as "?": how many, and the line (counted
    // from 1) that holds the first. A character outside the 16-bit range counts once.
    struct Losses {
        qsizetype count = 0;
        qsizetype firstLine = 0;  // 0 when nothing is lost
    };
    static Losses losses(const QString& text);

    // CR LF, lone CR and U+2029 become "\n": text handed to the editor by the rest
    // of the program may still spell line breaks the file's way.
    static QString normaliseLineBreaks(const QString& text);

    // The character a byte stands for, and the byte of a character (-1: none).
    static QChar toChar(unsigned char byte);
    static int toByte(QChar c);
};
