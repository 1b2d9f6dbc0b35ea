#pragma once

#include <QByteArrayView>

// The control words the reader understands, each filed under the family that handles it.
// Words not listed are ignored, as RTF asks of a reader.
enum class RtfFamily : quint8 {
    Document,   // code pages, the default font, Unicode escapes, binary data
    Table,      // the font and colour tables
    Character,  // bold, size, font, colours...
    Paragraph,  // alignment, indents, spacing, tab stops
    Break,      // paragraph and line ends, tabs, table cells
    Symbol,     // a word that stands for one character (\emdash, \bullet, ...)
    Skip,       // a destination whose content is not text to show
};

enum class RtfWord : quint8 {
    None,
    // Document
    Rtf, Ansi, AnsiCodePage, Mac, Pc, Pca, DefaultFont, UnicodeSkip, Unicode, Bin,
    // Table
    FontTable, ColorTable, FontCharset, FontNil, FontRoman, FontSwiss, FontModern, FontScript, FontDecor,
    Red, Green, Blue,
    // Character
    Plain, Bold, Italic, Underline, UnderlineNone, Strike, Hidden, FontSize, Font,
    Foreground, Background, Highlight, Super, Sub, NoSuperSub,
    // Paragraph
    Pard, AlignLeft, AlignCenter, AlignRight, AlignJustify,
    LeftIndent, RightIndent, FirstIndent, SpaceBefore, SpaceAfter,
    TabStop, TabCentre, TabRight, TabDecimal,
    // Break
    Par, Line, Tab, Cell, Row,
};

struct RtfWordInfo {
    RtfFamily family;
    RtfWord word = RtfWord::None;
    char16_t character = 0;  // for the Symbol family
};

// The entry for a control word's letters, or nullptr for a word the reader ignores.
const RtfWordInfo* rtfControlWord(QByteArrayView letters);
