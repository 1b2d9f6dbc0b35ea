#include "platform/RtfDocumentWriter.h"

#include "platform/RtfTables.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextOption>

#include <algorithm>

namespace {

// Lengths in RTF are twips; Qt's block margins and tab stops are pixels at 96 dpi.
constexpr double kTwipsPerPixel = 15.0;

QTextOption::Tab qtTab(double pixels, RtfTabStop::Kind kind)
{
    switch (kind) {
    case RtfTabStop::Kind::Centre:
        return QTextOption::Tab(pixels, QTextOption::CenterTab);
    case RtfTabStop::Kind::Right:
        return QTextOption::Tab(pixels, QTextOption::RightTab);
    case RtfTabStop::Kind::Decimal:
        return QTextOption::Tab(pixels, QTextOption::DelimiterTab, QLatin1Char('.'));
    case RtfTabStop::Kind::Left:
        break;
    }
    return QTextOption::Tab(pixels, QTextOption::LeftTab);
}

// RTF measures tab stops from the edge the indents count from; Qt measures them from where
// the line starts. The tabs that matter are the first line's (a bullet and the text after
// it), so they count from the first line's start.
QList<QTextOption::Tab> tabPositions(const RtfParagraphState& p)
{
    const int left = p.left.value_or(0);
    const int lineStart = left + p.first.value_or(0);
    if (p.tabs.isEmpty() && lineStart >= left)
        return {};
    QList<RtfTabStop> stops = p.tabs;
    // With a hanging indent, word processors put a tab stop at the left indent, so the text
    // after a bullet lines up with the wrapped lines below it.
    if (lineStart < left)
        stops.append(RtfTabStop{left, RtfTabStop::Kind::Left});
    std::stable_sort(stops.begin(), stops.end(),
                     [](const RtfTabStop& a, const RtfTabStop& b) { return a.position < b.position; });
    QList<QTextOption::Tab> tabs;
    int last = lineStart;
    for (const RtfTabStop& stop : stops) {
        if (stop.position <= last)
            continue;
        tabs.append(qtTab((stop.position - lineStart) / kTwipsPerPixel, stop.kind));
        last = stop.position;
    }
    return tabs;
}

} // namespace

RtfDocumentWriter::RtfDocumentWriter(QTextCursor* cursor, const RtfGroupState& state, const RtfTables& tables)
    : m_cursor(cursor), m_state(state), m_tables(tables)
{
}

void RtfDocumentWriter::begin()
{
    if (!m_cursor)
        return;
    m_cursor->beginEditBlock();
    m_cursor->removeSelectedText();
    m_baseChar = m_cursor->charFormat();
    m_baseBlock = m_cursor->blockFormat();
    m_blockOwned = m_cursor->atBlockStart();
}

void RtfDocumentWriter::finish()
{
    flush();
    if (!m_cursor)
        return;
    if (m_blockOwned && m_blockHasText && m_cursor->atBlockEnd())
        m_cursor->setBlockFormat(blockFormat(m_lastParagraph));
    m_cursor->endEditBlock();
}

void RtfDocumentWriter::addCharacters(QStringView chars)
{
    for (const QChar c : chars) {
        const char16_t u = c.unicode();
        if (u == u'\n' || u == u'\r' || u == 0x2029) {
            // A line break that came through an escape is a paragraph break; handing it
            // to Qt raw would split blocks behind the writer's back.
            flush();
            breakBlock();
        } else if (u < 0x20 && u != u'\t') {
            continue;
        } else if (u == 0xFDD0 || u == 0xFDD1) {
            // Qt's frame markers would corrupt the document's frame structure.
            m_run.append(QChar(0xFFFD));
        } else {
            m_run.append(c);
        }
    }
}

void RtfDocumentWriter::flush()
{
    if (m_run.isEmpty())
        return;
    if (m_cursor) {
        m_cursor->insertText(m_run, charFormat());
        m_blockHasText = true;
        m_lastParagraph = m_state.paragraph;
    }
    m_run.clear();
}

void RtfDocumentWriter::endParagraph()
{
    flush();
    breakBlock();
}

void RtfDocumentWriter::breakBlock()
{
    if (!m_cursor)
        return;
    const QTextBlock ended = m_cursor->block();
    const QTextCharFormat chars = charFormat();
    // The new block holds whatever followed the cursor, so it keeps the original format.
    m_cursor->insertBlock(m_baseBlock, chars);
    if (m_blockOwned) {
        // Most paragraphs already have the format they need; touching them anyway costs
        // an undo record and a format look-up each.
        const QTextBlockFormat wanted = blockFormat(m_state.paragraph);
        const bool restyle = ended.blockFormat() != wanted;
        const bool resize = !m_blockHasText && ended.charFormat() != chars;  // an empty line is as tall as its font
        if (restyle || resize) {
            QTextCursor endedCursor(ended);
            if (restyle)
                endedCursor.setBlockFormat(wanted);
            if (resize)
                endedCursor.setBlockCharFormat(chars);
        }
    }
    m_blockOwned = true;
    m_blockHasText = false;
}

const QTextCharFormat& RtfDocumentWriter::charFormat()
{
    if (!m_formatDirty)
        return m_format;
    const RtfCharacterState& s = m_state.character;
    QTextCharFormat f = m_baseChar;
    if (s.bold >= 0)
        f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
    if (s.italic >= 0)
        f.setFontItalic(s.italic);
    if (s.underline >= 0)
        f.setFontUnderline(s.underline);
    if (s.strike >= 0)
        f.setFontStrikeOut(s.strike);
    if (s.vertical >= 0) {
        f.setVerticalAlignment(s.vertical == 1   ? QTextCharFormat::AlignSuperScript
                               : s.vertical == 2 ? QTextCharFormat::AlignSubScript
                                                 : QTextCharFormat::AlignNormal);
    }
    if (s.halfPoints > 0)
        f.setFontPointSize(s.halfPoints / 2.0);
    if (const RtfTables::Font* font = m_tables.font(s.font)) {
        f.setFontFamilies(QStringList{font->name});
        if (font->kind != QFont::AnyStyle)
            f.setFontStyleHint(font->kind);
    }
    if (const QColor* colour = m_tables.colour(s.foreground))
        f.setForeground(*colour);
    // \highlight0 means no highlight, whatever the table's first entry is.
    if (const QColor* colour = s.highlight > 0 ? m_tables.colour(s.highlight) : nullptr)
        f.setBackground(*colour);
    else if (const QColor* colour = m_tables.colour(s.background))
        f.setBackground(*colour);
    m_format = f;
    m_formatDirty = false;
    return m_format;
}

QTextBlockFormat RtfDocumentWriter::blockFormat(const RtfParagraphState& p) const
{
    QTextBlockFormat f = m_baseBlock;
    if (p.alignment)
        f.setAlignment(*p.alignment);
    if (p.left)
        f.setLeftMargin(*p.left / kTwipsPerPixel);
    if (p.right)
        f.setRightMargin(*p.right / kTwipsPerPixel);
    if (p.first)
        f.setTextIndent(*p.first / kTwipsPerPixel);
    if (p.before)
        f.setTopMargin(*p.before / kTwipsPerPixel);
    if (p.after)
        f.setBottomMargin(*p.after / kTwipsPerPixel);
    if (const QList<QTextOption::Tab> tabs = tabPositions(p); !tabs.isEmpty())
        f.setTabPositions(tabs);
    return f;
}
