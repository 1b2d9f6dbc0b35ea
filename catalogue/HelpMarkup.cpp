#include "catalogue/HelpMarkup.h"

#include <QStringList>

namespace {

enum class BlockKind { Paragraph, Bullet, Example, Heading };

struct Block {
    BlockKind kind;
    int line;
    QString text;
    bool gapBefore; // a blank source line came before it
};

// Splits the page into blocks: examples and headings are one line each, a paragraph
// or bullet gathers the plain lines that follow it.
QList<Block> blocksOf(const QString& markup)
{
    QList<Block> blocks;
    const QStringList lines = markup.split(QLatin1Char('\n'));
    bool gap = false;
    bool open = false; // the last block still takes continuation lines
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty()) {
            gap = !blocks.isEmpty();
            open = false;
            continue;
        }
        if (line.startsWith(QLatin1String("> "))) {
            QString example = line.mid(2);
            while (example.endsWith(QLatin1Char(' ')))
                example.chop(1);
            blocks.append({BlockKind::Example, i, example, gap});
            open = false;
        } else if (line.startsWith(QLatin1String("## "))) {
            blocks.append({BlockKind::Heading, i, line.mid(3).trimmed(), gap});
            open = false;
        } else if (line.startsWith(QLatin1String("- "))) {
            blocks.append({BlockKind::Bullet, i, line.mid(2).trimmed(), gap});
            open = true;
        } else if (open) {
            blocks.last().text += QLatin1Char(' ') + trimmed;
        } else {
            blocks.append({BlockKind::Paragraph, i, trimmed, gap});
            open = true;
        }
        gap = false;
    }
    return blocks;
}

// Body text with "**" pairs turned into bold runs.
QString inlineRtf(const QString& text, int line, QList<HelpMarkup::Problem>* problems)
{
    const QStringList parts = text.split(QStringLiteral("**"));
    QString rtf;
    for (int i = 0; i < parts.size(); ++i) {
        if (i % 2 == 0)
            rtf += HelpMarkup::escape(parts.at(i));
        else
            rtf += QStringLiteral("{\\b ") + HelpMarkup::escape(parts.at(i)) + QLatin1Char('}');
    }
    if (parts.size() % 2 == 0 && problems)
        problems->append({line, QStringLiteral("a \"**\" is not closed on its line")});
    return rtf;
}

} // namespace

QString HelpMarkup::documentStart()
{
    return QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0"
                          "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fmodern\\fcharset0 Courier New;}}\r\n"
                          "\\viewkind4\\uc1\\pard\\f0\\fs20\r\n");
}

QString HelpMarkup::escape(const QString& text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += QLatin1Char('\\');
            out += c;
        } else if (u == u'\t') {
            out += QStringLiteral("\\tab ");
        } else if (u < 0x20) {
            out += QLatin1Char(' ');
        } else if (u < 0x7F) {
            out += c;
        } else if (u >= 0xA0 && u <= 0xFF) {
            // Latin-1 agrees with Windows-1252 here, so the byte is the character.
            out += QStringLiteral("\\'%1").arg(unsigned(u), 2, 16, QLatin1Char('0'));
        } else {
            // RTF counts \u in signed 16-bit units; "?" is what a reader without
            // Unicode shows instead (\uc1 in the header skips it for the others).
            // A character outside the BMP comes as its two surrogates, as RTF expects.
            out += QStringLiteral("\\u%1?").arg(int(static_cast<int16_t>(u)));
        }
    }
    return out;
}

QString HelpMarkup::toRtf(const QString& markup, QList<Problem>* problems)
{
    QString rtf = documentStart();
    const QList<Block> blocks = blocksOf(markup);
    for (const Block& block : blocks) {
        if (block.gapBefore)
            rtf += QStringLiteral("\\pard\\f0\\fs20\\par\r\n");
        switch (block.kind) {
        case BlockKind::Paragraph:
            rtf += QStringLiteral("\\pard\\f0\\fs20 ") + inlineRtf(block.text, block.line, problems);
            break;
        case BlockKind::Bullet:
            // A hanging indent with its tab stop at the indent: the bullet stands out in
            // the margin and the item's lines, wrapped or not, start at the same place.
            rtf += QStringLiteral("\\pard\\fi-240\\li480\\tx480\\f0\\fs20 \\bullet\\tab ")
                + inlineRtf(block.text, block.line, problems);
            break;
        case BlockKind::Example:
            rtf += QStringLiteral("\\pard\\li360\\f1\\fs20 ") + escape(block.text) + QStringLiteral("\\f0");
            break;
        case BlockKind::Heading:
            if (block.text.isEmpty() && problems)
                problems->append({block.line, QStringLiteral("a \"## \" heading without text")});
            rtf += QStringLiteral("\\pard\\f0\\fs22\\b ") + escape(block.text) + QStringLiteral("\\b0\\fs20");
            break;
        }
        rtf += QStringLiteral("\\par\r\n");
    }
    rtf += QLatin1Char('}');
    return rtf;
}
