#pragma once

#include "platform/RtfCodePage.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QString>

#include <unordered_map>
#include <vector>

// The document-wide tables of an RTF text: its code page, its fonts and its colours, read
// from the \fonttbl and \colortbl destinations, and the character decoders they call for.
class RtfTables {
public:
    struct Font {
        QString name;
        int codePage = 0;  // 0: the document's code page
        // The kind of font the table names (\fmodern...), so that where the font itself
        // is missing a font of the same kind stands in.
        QFont::StyleHint kind = QFont::AnyStyle;
    };

    // Font table: entries end at ';' or at a group boundary.
    void beginFontTable();
    void fontTableText(QByteArrayView bytes);
    void fontNumber(int number);
    void fontCharset(int charset);
    void fontKind(QFont::StyleHint kind);
    void endFontEntry();       // a ';' or a group opening inside the table
    void commitFontEntry();    // a group closing inside the table

    // Colour table: entries end at ';'; an entry without components is "auto".
    void beginColourTable();
    void colourComponent(int which, int value);  // 0 red, 1 green, 2 blue
    void colourTableText(QByteArrayView bytes);

    int documentCodePage() const { return m_documentCodePage; }
    void setDocumentCodePage(int number) { m_documentCodePage = number; }
    int defaultFont() const { return m_defaultFont; }
    void setDefaultFont(int number) { m_defaultFont = number; }

    // The font a character state names (-1: the document's default), or nullptr.
    const Font* font(int number) const;
    // The colour at a table index, or nullptr for "auto" and indexes outside the table.
    const QColor* colour(int index) const;
    // The decoder for text in a font.
    RtfCodePage& codePage(int font);

private:
    struct Colour {
        bool automatic = true;
        QColor color;
    };

    int m_documentCodePage = 1252;
    int m_defaultFont = -1;
    QHash<int, Font> m_fonts;
    std::vector<Colour> m_colours;
    std::unordered_map<int, RtfCodePage> m_codePages;

    // The font-table entry and colour being read.
    int m_entryFont = -1;
    int m_entryCharset = 0;
    QFont::StyleHint m_entryKind = QFont::AnyStyle;
    QByteArray m_entryName;
    Colour m_entryColour;
    int m_entryComponents[3] = {0, 0, 0};
};
