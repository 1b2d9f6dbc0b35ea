#include "platform/RtfReader.h"

#include "platform/RtfCodePage.h"
#include "platform/RtfTokenizer.h"

#include <QColor>
#include <QHash>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

enum class Destination : quint8 { Text, Skip, FontTable, ColorTable };

enum class Word {
    Rtf, Ansi, AnsiCodePage, Mac, Pc, Pca, DefaultFont,
    FontTable, ColorTable, Font, FontCharset, Red, Green, Blue,
    Plain, Bold, Italic, Underline, UnderlineNone, Strike, Hidden, FontSize,
    Foreground, Background, Highlight, Super, Sub, NoSuperSub,
    UnicodeSkip, Unicode, Bin,
    Par, Pard, Line, Tab, Cell, Row,
    AlignLeft, AlignCenter, AlignRight, AlignJustify,
    LeftIndent, RightIndent, FirstIndent, SpaceBefore, SpaceAfter,
    Character,  // a word that stands for one character (\emdash, \bullet, ...)
    SkipDestination,
};

struct WordInfo {
    Word word;
    char16_t character = 0;
};

const std::unordered_map<std::string_view, WordInfo>& words()
{
    static const std::unordered_map<std::string_view, WordInfo> table = [] {
        std::unordered_map<std::string_view, WordInfo> t = {
            {"rtf", {Word::Rtf}}, {"ansi", {Word::Ansi}}, {"ansicpg", {Word::AnsiCodePage}},
            {"mac", {Word::Mac}}, {"pc", {Word::Pc}}, {"pca", {Word::Pca}},
            {"deff", {Word::DefaultFont}}, {"fonttbl", {Word::FontTable}},
            {"colortbl", {Word::ColorTable}}, {"f", {Word::Font}},
            {"fcharset", {Word::FontCharset}}, {"red", {Word::Red}}, {"green", {Word::Green}},
            {"blue", {Word::Blue}}, {"plain", {Word::Plain}}, {"b", {Word::Bold}},
            {"i", {Word::Italic}}, {"ulnone", {Word::UnderlineNone}},
            {"strike", {Word::Strike}}, {"strikedl", {Word::Strike}}, {"v", {Word::Hidden}},
            {"fs", {Word::FontSize}}, {"cf", {Word::Foreground}}, {"cb", {Word::Background}},
            {"chcbpat", {Word::Background}}, {"highlight", {Word::Highlight}},
            {"super", {Word::Super}}, {"sub", {Word::Sub}}, {"nosupersub", {Word::NoSuperSub}},
            {"uc", {Word::UnicodeSkip}}, {"u", {Word::Unicode}}, {"bin", {Word::Bin}},
            {"par", {Word::Par}}, {"page", {Word::Par}}, {"sect", {Word::Par}},
            {"pard", {Word::Pard}}, {"line", {Word::Line}}, {"tab", {Word::Tab}},
            {"cell", {Word::Cell}}, {"nestcell", {Word::Cell}}, {"row", {Word::Row}},
            {"nestrow", {Word::Row}}, {"ql", {Word::AlignLeft}}, {"qc", {Word::AlignCenter}},
            {"qr", {Word::AlignRight}}, {"qj", {Word::AlignJustify}},
            {"li", {Word::LeftIndent}}, {"ri", {Word::RightIndent}},
            {"fi", {Word::FirstIndent}}, {"sb", {Word::SpaceBefore}}, {"sa", {Word::SpaceAfter}},
            {"emdash", {Word::Character, 0x2014}}, {"endash", {Word::Character, 0x2013}},
            {"emspace", {Word::Character, 0x2003}}, {"enspace", {Word::Character, 0x2002}},
            {"qmspace", {Word::Character, 0x2005}}, {"bullet", {Word::Character, 0x2022}},
            {"lquote", {Word::Character, 0x2018}}, {"rquote", {Word::Character, 0x2019}},
            {"ldblquote", {Word::Character, 0x201C}}, {"rdblquote", {Word::Character, 0x201D}},
            {"zwj", {Word::Character, 0x200D}}, {"zwnj", {Word::Character, 0x200C}},
            {"ltrmark", {Word::Character, 0x200E}}, {"rtlmark", {Word::Character, 0x200F}},
        };
        for (std::string_view underline :
             {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth",
              "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw",
              "ulwave"})
            t.emplace(underline, WordInfo{Word::Underline});
        // Groups whose content is not text to show: document information, styles,
        // pictures, embedded objects, page furniture, field instructions (the field
        // result is kept), bookmarks, annotations and the lists' own numbering data.
        for (std::string_view skipped :
             {"info", "stylesheet", "pict", "shppict", "nonshppict", "object", "objdata",
              "objclass", "objname", "header", "headerl", "headerr", "headerf", "footer",
              "footerl", "footerr", "footerf", "footnote", "fldinst", "themedata",
              "colorschememapping", "latentstyles", "datastore", "xmlnstbl", "listtable",
              "listoverridetable", "rsidtbl", "generator", "annotation", "atnid", "atnauthor",
              "atrfstart", "atrfend", "bkmkstart", "bkmkend", "comment", "author", "operator",
              "title", "subject", "keywords", "doccomm", "company", "category", "manager",
              "shp", "shpinst", "sp", "sn", "sv", "filetbl", "revtbl", "pgdsctbl", "falt",
              "panose", "fontemb", "fontfile", "pn", "printim", "buptim", "creatim", "revtim",
              "mmathPr", "xe", "tc", "txe", "private", "template", "userprops", "docvar",
              "wgrffmtfilter", "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc", "aftncn",
              "listpicture", "passwordhash", "mhtmltag", "htmltag", "formfield"})
            t.emplace(skipped, WordInfo{Word::SkipDestination});
        return t;
    }();
    return table;
}

// Lengths in RTF are twips; Qt's block margins are pixels at 96 dpi.
constexpr double kTwipsPerPixel = 15.0;
// About 22 inches: wider than any page, small enough for any layout.
constexpr int kTwipsLimit = 31680;
// Point sizes above 1638 only make the layout pointlessly large; below 2, Qt rounds a
// superscript down to a zero-point font.
constexpr int kHalfPointsLimit = 3276;
constexpr int kHalfPointsFloor = 4;
constexpr int kUnicodeSkipLimit = 255;

struct Paragraph {
    std::optional<Qt::Alignment> alignment;
    std::optional<int> left, right, first, before, after;  // twips
};

struct GroupState {
    Destination destination = Destination::Text;
    qint8 bold = -1;  // -1: as the cursor's format
    qint8 italic = -1;
    qint8 underline = -1;
    qint8 strike = -1;
    qint8 vertical = -1;  // 0 normal, 1 superscript, 2 subscript
    bool hidden = false;
    int halfPoints = -1;
    int font = -1;
    int foreground = -1;
    int background = -1;
    int highlight = -1;
    int unicodeSkip = 1;
    Paragraph paragraph;
};

struct FontEntry {
    QString name;
    int codePage = 0;  // 0: the document's code page
};

struct ColorEntry {
    bool automatic = true;
    QColor color;
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0';
}

class Parser {
public:
    Parser(QByteArrayView input, QTextCursor* cursor) : m_input(input), m_tokens(input), m_cursor(cursor) {}

    RtfResult run(bool requireDocument);

private:
    void fail(qsizetype offset, const QString& why);
    void reportProblem(const RtfTokenizer::Token& token);

    void openGroup();
    void closeGroup(qsizetype offset);
    void beginSkip();
    int depth() const { return int(m_stack.size()) + m_overflow; }

    void controlWord(const RtfTokenizer::Token& token);
    void controlSymbol(char symbol);
    void text(QByteArrayView bytes);
    void byte(char value);
    void character(char32_t value);

    void fontTableText(QByteArrayView bytes);
    void commitFont();
    void colorTableText(QByteArrayView bytes);

    void changeCharacterState();
    RtfCodePage& codePage();
    void decodePending();
    void addCharacters(QStringView chars);
    void insertRun();
    void flushText();
    void paragraph();
    void breakBlock();

    const QTextCharFormat& charFormat();
    QTextBlockFormat blockFormat(const Paragraph& paragraph) const;
    const ColorEntry* colorAt(int index) const;

    QByteArrayView m_input;
    RtfTokenizer m_tokens;
    QTextCursor* m_cursor;
    RtfResult m_result;

    GroupState m_state;
    std::vector<GroupState> m_stack;
    int m_overflow = 0;     // groups opened beyond kMaxDepth
    int m_skipDepth = 0;    // > 0: inside a skipped destination, counting its nested groups
    int m_fallbackLeft = 0; // characters still to drop after a \u

    int m_documentCodePage = 1252;
    int m_defaultFont = -1;
    QHash<int, FontEntry> m_fonts;
    std::vector<ColorEntry> m_colors;
    std::unordered_map<int, RtfCodePage> m_codePages;
    RtfCodePage* m_codePage = nullptr;

    // The font-table entry and colour being read.
    int m_entryFont = -1;
    int m_entryCharset = 0;
    QByteArray m_entryName;
    ColorEntry m_entryColor;
    int m_entryRed = 0, m_entryGreen = 0, m_entryBlue = 0;

    QByteArray m_pendingBytes;  // text bytes not yet decoded
    QString m_run;              // decoded text waiting for one insert in one format
    QTextCharFormat m_format;
    bool m_formatDirty = true;

    QTextCharFormat m_baseChar;
    QTextBlockFormat m_baseBlock;
    bool m_blockOwned = false;    // the cursor's block holds inserted text only (before the cursor)
    bool m_blockHasText = false;
    Paragraph m_lastParagraph;
};

RtfResult Parser::run(bool requireDocument)
{
    qsizetype lead = 0;
    while (lead < m_input.size() && isBlank(m_input[lead]))
        ++lead;
    const QByteArrayView rest = m_input.sliced(lead);
    const bool document = rest.startsWith("{\\rtf") && (rest.size() == 5 || !std::isalpha(static_cast<unsigned char>(rest[5])));
    if (document)
        m_tokens.skip(lead);
    else if (requireDocument)
        fail(lead, QStringLiteral("the text does not start with {\\rtf"));

    if (m_cursor) {
        m_cursor->beginEditBlock();
        m_cursor->removeSelectedText();
        m_baseChar = m_cursor->charFormat();
        m_baseBlock = m_cursor->blockFormat();
        m_blockOwned = m_cursor->atBlockStart();
    }

    for (;;) {
        const RtfTokenizer::Token token = m_tokens.next();
        if (token.kind == RtfTokenizer::Kind::End)
            break;
        switch (token.kind) {
        case RtfTokenizer::Kind::End:
            break;
        case RtfTokenizer::Kind::Error:
            reportProblem(token);
            break;
        case RtfTokenizer::Kind::GroupOpen:
            m_fallbackLeft = 0;
            if (m_skipDepth > 0)
                ++m_skipDepth;
            else
                openGroup();
            break;
        case RtfTokenizer::Kind::GroupClose:
            m_fallbackLeft = 0;
            if (m_skipDepth > 0 && --m_skipDepth > 0)
                break;
            closeGroup(token.offset);
            break;
        case RtfTokenizer::Kind::ControlWord:
            controlWord(token);
            break;
        case RtfTokenizer::Kind::ControlSymbol:
            if (m_fallbackLeft > 0)
                --m_fallbackLeft;
            else if (m_skipDepth == 0)
                controlSymbol(token.symbol);
            break;
        case RtfTokenizer::Kind::HexByte:
            if (m_fallbackLeft > 0)
                --m_fallbackLeft;
            else if (m_skipDepth == 0)
                byte(char(token.byte));
            break;
        case RtfTokenizer::Kind::Text:
            text(token.text);
            break;
        }
        if (document && depth() == 0) {
            // The document's last '}': what follows is not part of it.
            qsizetype after = m_tokens.position();
            while (after < m_input.size() && isBlank(m_input[after]))
                ++after;
            if (after < m_input.size())
                fail(after, QStringLiteral("text follows the end of the document"));
            break;
        }
    }

    flushText();
    if (depth() > 0)
        fail(m_input.size(), QStringLiteral("%1 group(s) are not closed").arg(depth()));
    if (m_cursor) {
        if (m_blockOwned && m_blockHasText && m_cursor->atBlockEnd())
            m_cursor->setBlockFormat(blockFormat(m_lastParagraph));
        m_cursor->endEditBlock();
    }
    return m_result;
}

void Parser::fail(qsizetype offset, const QString& why)
{
    if (!m_result.ok)
        return;
    m_result.ok = false;
    m_result.error = QStringLiteral("byte %1: %2").arg(offset).arg(why);
}

void Parser::reportProblem(const RtfTokenizer::Token& token)
{
    switch (token.problem) {
    case RtfTokenizer::Problem::TruncatedEscape:
        fail(token.offset, QStringLiteral("the text ends inside an escape"));
        break;
    case RtfTokenizer::Problem::TruncatedHex:
        fail(token.offset, QStringLiteral("the \\' escape lacks its two hex digits"));
        break;
    case RtfTokenizer::Problem::BadHexDigit:
        fail(token.offset, QStringLiteral("the \\' escape is not followed by two hex digits"));
        break;
    case RtfTokenizer::Problem::None:
        break;
    }
}

void Parser::openGroup()
{
    flushText();
    if (m_stack.size() < size_t(RtfReader::kMaxDepth))
        m_stack.push_back(m_state);
    else
        ++m_overflow;
    if (m_state.destination == Destination::FontTable) {
        commitFont();
        m_entryFont = -1;
        m_entryCharset = 0;
    }
}

void Parser::closeGroup(qsizetype offset)
{
    if (m_state.destination == Destination::FontTable)
        commitFont();
    if (m_overflow > 0) {
        --m_overflow;
        return;
    }
    if (m_stack.empty()) {
        fail(offset, QStringLiteral("'}' closes no group"));
        return;
    }
    flushText();
    m_state = m_stack.back();
    m_stack.pop_back();
    changeCharacterState();
}

void Parser::beginSkip()
{
    // A destination word outside any group would swallow the rest of a fragment.
    if (depth() == 0)
        return;
    flushText();
    m_skipDepth = 1;
}

void Parser::controlWord(const RtfTokenizer::Token& token)
{
    const auto& table = words();
    const auto found = table.find(std::string_view(token.text.data(), size_t(token.text.size())));
    const int parameter = token.parameter;

    if (found != table.end() && found->second.word == Word::Bin) {
        // The binary data is skipped even in skipped groups and fallback text.
        if (token.hasParameter && parameter > 0 && m_tokens.skip(parameter) < parameter)
            fail(token.offset, QStringLiteral("the \\bin data runs past the end"));
    }
    if (m_fallbackLeft > 0) {
        --m_fallbackLeft;
        return;
    }
    if (m_skipDepth > 0 || found == table.end())
        return;

    const bool on = !token.hasParameter || parameter != 0;
    GroupState& s = m_state;
    switch (found->second.word) {
    case Word::Rtf:
    case Word::Bin:
        break;
    case Word::Ansi:
    case Word::AnsiCodePage:
    case Word::Mac:
    case Word::Pc:
    case Word::Pca: {
        int page = parameter;
        switch (found->second.word) {
        case Word::Ansi: page = 1252; break;
        case Word::Mac: page = 10000; break;
        case Word::Pc: page = 437; break;
        case Word::Pca: page = 850; break;
        default: break;
        }
        if (page != m_documentCodePage) {
            changeCharacterState();
            m_documentCodePage = page;
        }
        break;
    }
    case Word::DefaultFont:
        changeCharacterState();
        m_defaultFont = parameter;
        break;
    case Word::FontTable:
        if (depth() > 0) {
            flushText();
            s.destination = Destination::FontTable;
            m_entryFont = -1;
            m_entryCharset = 0;
            m_entryName.clear();
        }
        break;
    case Word::ColorTable:
        if (depth() > 0) {
            flushText();
            s.destination = Destination::ColorTable;
            m_entryColor = ColorEntry();
        }
        break;
    case Word::Font:
        if (s.destination == Destination::FontTable) {
            commitFont();
            m_entryFont = parameter;
        } else {
            changeCharacterState();
            s.font = parameter;
        }
        break;
    case Word::FontCharset:
        if (s.destination == Destination::FontTable)
            m_entryCharset = parameter;
        break;
    case Word::Red:
    case Word::Green:
    case Word::Blue:
        if (s.destination == Destination::ColorTable) {
            m_entryColor.automatic = false;
            const int value = std::clamp(parameter, 0, 255);
            if (found->second.word == Word::Red)
                m_entryRed = value;
            else if (found->second.word == Word::Green)
                m_entryGreen = value;
            else
                m_entryBlue = value;
        }
        break;
    case Word::Plain:
        changeCharacterState();
        s.bold = s.italic = s.underline = s.strike = s.vertical = -1;
        s.hidden = false;
        s.halfPoints = s.font = s.foreground = s.background = s.highlight = -1;
        break;
    case Word::Bold:
        changeCharacterState();
        s.bold = on;
        break;
    case Word::Italic:
        changeCharacterState();
        s.italic = on;
        break;
    case Word::Underline:
        changeCharacterState();
        s.underline = on;
        break;
    case Word::UnderlineNone:
        changeCharacterState();
        s.underline = 0;
        break;
    case Word::Strike:
        changeCharacterState();
        s.strike = on;
        break;
    case Word::Hidden:
        changeCharacterState();
        s.hidden = on;
        break;
    case Word::FontSize:
        changeCharacterState();
        s.halfPoints = token.hasParameter ? std::clamp(parameter, kHalfPointsFloor, kHalfPointsLimit) : 24;
        break;
    case Word::Foreground:
        changeCharacterState();
        s.foreground = parameter;
        break;
    case Word::Background:
        changeCharacterState();
        s.background = parameter;
        break;
    case Word::Highlight:
        changeCharacterState();
        s.highlight = parameter;
        break;
    case Word::Super:
        changeCharacterState();
        s.vertical = on ? 1 : 0;
        break;
    case Word::Sub:
        changeCharacterState();
        s.vertical = on ? 2 : 0;
        break;
    case Word::NoSuperSub:
        changeCharacterState();
        s.vertical = 0;
        break;
    case Word::UnicodeSkip:
        s.unicodeSkip = std::clamp(parameter, 0, kUnicodeSkipLimit);
        break;
    case Word::Unicode: {
        if (!token.hasParameter)
            break;
        // Writers store code units above 32767 as negative numbers.
        const long long unit = parameter < 0 ? 65536LL + parameter : parameter;
        character(unit >= 0 && unit <= 0x10FFFF ? char32_t(unit) : char32_t(0xFFFD));
        m_fallbackLeft = s.unicodeSkip;
        break;
    }
    case Word::Par:
    case Word::Row:
        if (s.destination == Destination::Text && !s.hidden)
            paragraph();
        break;
    case Word::Pard:
        s.paragraph = Paragraph();
        break;
    case Word::Line:
        character(0x2028);
        break;
    case Word::Tab:
    case Word::Cell:
        character(u'\t');
        break;
    case Word::AlignLeft:
        s.paragraph.alignment = Qt::AlignLeft;
        break;
    case Word::AlignCenter:
        s.paragraph.alignment = Qt::AlignHCenter;
        break;
    case Word::AlignRight:
        s.paragraph.alignment = Qt::AlignRight;
        break;
    case Word::AlignJustify:
        s.paragraph.alignment = Qt::AlignJustify;
        break;
    case Word::LeftIndent:
        s.paragraph.left = std::clamp(parameter, 0, kTwipsLimit);
        break;
    case Word::RightIndent:
        s.paragraph.right = std::clamp(parameter, 0, kTwipsLimit);
        break;
    case Word::FirstIndent:
        s.paragraph.first = std::clamp(parameter, -kTwipsLimit, kTwipsLimit);
        break;
    case Word::SpaceBefore:
        s.paragraph.before = std::clamp(parameter, 0, kTwipsLimit);
        break;
    case Word::SpaceAfter:
        s.paragraph.after = std::clamp(parameter, 0, kTwipsLimit);
        break;
    case Word::Character:
        character(found->second.character);
        break;
    case Word::SkipDestination:
        beginSkip();
        break;
    }
}

void Parser::controlSymbol(char symbol)
{
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        byte(symbol);
        break;
    case '~':
        character(0x00A0);
        break;
    case '-':
        character(0x00AD);
        break;
    case '_':
        character(0x2011);
        break;
    case '*':
        beginSkip();
        break;
    case '\n':
        if (m_state.destination == Destination::Text && !m_state.hidden)
            paragraph();
        break;
    default:
        break;
    }
}

void Parser::text(QByteArrayView bytes)
{
    if (m_fallbackLeft > 0) {
        const qsizetype dropped = std::min<qsizetype>(m_fallbackLeft, bytes.size());
        m_fallbackLeft -= int(dropped);
        bytes = bytes.sliced(dropped);
    }
    if (m_skipDepth > 0 || bytes.isEmpty())
        return;
    switch (m_state.destination) {
    case Destination::Text:
        if (!m_state.hidden)
            m_pendingBytes.append(bytes);
        break;
    case Destination::FontTable:
        fontTableText(bytes);
        break;
    case Destination::ColorTable:
        colorTableText(bytes);
        break;
    case Destination::Skip:
        break;
    }
}

void Parser::byte(char value)
{
    text(QByteArrayView(&value, 1));
}

void Parser::character(char32_t value)
{
    if (m_state.destination != Destination::Text || m_state.hidden)
        return;
    decodePending();
    const char32_t units[] = {value};
    addCharacters(QString::fromUcs4(units, 1));
}

void Parser::fontTableText(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (c == ';') {
            commitFont();
            m_entryFont = -1;
            m_entryCharset = 0;
        } else {
            m_entryName.append(c);
        }
    }
}

void Parser::commitFont()
{
    const QByteArray name = m_entryName.trimmed();
    m_entryName.clear();
    if (name.isEmpty() || m_entryFont < 0)
        return;
    QString decoded;
    RtfCodePage(RtfCodePage::forCharset(m_entryCharset)).append(decoded, name);
    m_fonts.insert(m_entryFont, FontEntry{decoded, RtfCodePage::forCharset(m_entryCharset)});
    m_formatDirty = true;
    m_codePage = nullptr;
}

void Parser::colorTableText(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (c != ';')
            continue;
        if (!m_entryColor.automatic)
            m_entryColor.color = QColor(m_entryRed, m_entryGreen, m_entryBlue);
        m_colors.push_back(m_entryColor);
        m_entryColor = ColorEntry();
        m_entryRed = m_entryGreen = m_entryBlue = 0;
    }
    m_formatDirty = true;
}

void Parser::changeCharacterState()
{
    flushText();
    m_formatDirty = true;
    m_codePage = nullptr;
}

RtfCodePage& Parser::codePage()
{
    if (m_codePage)
        return *m_codePage;
    int number = m_documentCodePage;
    const int font = m_state.font >= 0 ? m_state.font : m_defaultFont;
    if (const auto it = m_fonts.constFind(font); it != m_fonts.constEnd() && it->codePage != 0)
        number = it->codePage;
    auto it = m_codePages.find(number);
    if (it == m_codePages.end())
        it = m_codePages.emplace(number, RtfCodePage(number)).first;
    m_codePage = &it->second;
    return *m_codePage;
}

void Parser::decodePending()
{
    if (m_pendingBytes.isEmpty())
        return;
    QString decoded;
    codePage().append(decoded, m_pendingBytes);
    m_pendingBytes.clear();
    addCharacters(decoded);
}

void Parser::addCharacters(QStringView chars)
{
    for (const QChar c : chars) {
        const char16_t u = c.unicode();
        if (u == u'\n' || u == u'\r' || u == 0x2029) {
            // A line break that came through an escape is a paragraph break; handing it
            // to Qt raw would split blocks behind the reader's back.
            insertRun();
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

void Parser::insertRun()
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

void Parser::flushText()
{
    decodePending();
    insertRun();
}

void Parser::paragraph()
{
    flushText();
    breakBlock();
}

void Parser::breakBlock()
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

const QTextCharFormat& Parser::charFormat()
{
    if (!m_formatDirty)
        return m_format;
    const GroupState& s = m_state;
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
    const int font = s.font >= 0 ? s.font : m_defaultFont;
    if (const auto it = m_fonts.constFind(font); it != m_fonts.constEnd())
        f.setFontFamilies(QStringList{it->name});
    if (const ColorEntry* color = colorAt(s.foreground))
        f.setForeground(color->color);
    // \highlight0 means no highlight, whatever the table's first entry is.
    if (const ColorEntry* color = s.highlight > 0 ? colorAt(s.highlight) : nullptr)
        f.setBackground(color->color);
    else if (const ColorEntry* color = colorAt(s.background))
        f.setBackground(color->color);
    m_format = f;
    m_formatDirty = false;
    return m_format;
}

QTextBlockFormat Parser::blockFormat(const Paragraph& p) const
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
    return f;
}

const ColorEntry* Parser::colorAt(int index) const
{
    // Index 0 is by custom the "auto" colour, which an empty first entry also says.
    if (index < 0 || size_t(index) >= m_colors.size())
        return nullptr;
    const ColorEntry& entry = m_colors[size_t(index)];
    return entry.automatic ? nullptr : &entry;
}

} // namespace

RtfResult RtfReader::insert(QTextCursor& cursor, const QByteArray& rtf)
{
    return Parser(rtf, &cursor).run(false);
}

RtfResult RtfReader::check(const QByteArray& rtf)
{
    return Parser(rtf, nullptr).run(true);
}
