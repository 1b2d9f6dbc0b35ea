#include "platform/RtfParser.h"

#include "platform/RtfFormatWords.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr int kUnicodeSkipLimit = 255;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0';
}

QFont::StyleHint fontKind(RtfWord word)
{
    switch (word) {
    case RtfWord::FontRoman:
        return QFont::Serif;
    case RtfWord::FontSwiss:
        return QFont::SansSerif;
    case RtfWord::FontModern:
        return QFont::TypeWriter;
    case RtfWord::FontScript:
        return QFont::Cursive;
    case RtfWord::FontDecor:
        return QFont::Decorative;
    default:
        return QFont::AnyStyle;
    }
}

} // namespace

RtfParser::RtfParser(QByteArrayView input, QTextCursor* cursor)
    : m_input(input), m_tokens(input), m_writer(cursor, m_state, m_tables)
{
}

RtfResult RtfParser::run(bool requireDocument)
{
    const bool document = startsDocument(requireDocument);
    m_writer.begin();
    for (;;) {
        const RtfTokenizer::Token next = m_tokens.next();
        if (next.kind == RtfTokenizer::Kind::End)
            break;
        token(next);
        if (document && depth() == 0) {
            checkNothingFollows();
            break;
        }
    }
    decodePending();
    if (depth() > 0)
        fail(m_input.size(), QStringLiteral("%1 group(s) are not closed").arg(depth()));
    m_writer.finish();
    return m_result;
}

bool RtfParser::startsDocument(bool requireDocument)
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
    return document;
}

void RtfParser::token(const RtfTokenizer::Token& token)
{
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
}

void RtfParser::checkNothingFollows()
{
    // The document's last '}': what follows is not part of it.
    qsizetype after = m_tokens.position();
    while (after < m_input.size() && isBlank(m_input[after]))
        ++after;
    if (after < m_input.size())
        fail(after, QStringLiteral("text follows the end of the document"));
}

void RtfParser::fail(qsizetype offset, const QString& why)
{
    if (!m_result.ok)
        return;
    m_result.ok = false;
    m_result.error = QStringLiteral("byte %1: %2").arg(offset).arg(why);
}

void RtfParser::reportProblem(const RtfTokenizer::Token& token)
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

void RtfParser::openGroup()
{
    flushText();
    if (m_stack.size() < size_t(RtfReader::kMaxDepth))
        m_stack.push_back(m_state);
    else
        ++m_overflow;
    if (m_state.destination == RtfDestination::FontTable) {
        m_tables.endFontEntry();
        tablesChanged();
    }
}

void RtfParser::closeGroup(qsizetype offset)
{
    if (m_state.destination == RtfDestination::FontTable) {
        m_tables.commitFontEntry();
        tablesChanged();
    }
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

void RtfParser::beginSkip()
{
    // A destination word outside any group would swallow the rest of a fragment.
    if (depth() == 0)
        return;
    flushText();
    m_skipDepth = 1;
}

void RtfParser::controlWord(const RtfTokenizer::Token& token)
{
    const RtfWordInfo* info = rtfControlWord(token.text);
    if (info && info->word == RtfWord::Bin) {
        // The binary data is skipped even in skipped groups and fallback text.
        if (token.hasParameter && token.parameter > 0 && m_tokens.skip(token.parameter) < token.parameter)
            fail(token.offset, QStringLiteral("the \\bin data runs past the end"));
    }
    if (m_fallbackLeft > 0) {
        --m_fallbackLeft;
        return;
    }
    if (m_skipDepth > 0 || !info)
        return;

    switch (info->family) {
    case RtfFamily::Document:
        documentWord(info->word, token);
        break;
    case RtfFamily::Table:
        tableWord(info->word, token.parameter);
        break;
    case RtfFamily::Character:
        characterWord(info->word, token);
        break;
    case RtfFamily::Paragraph:
        RtfFormatWords::applyParagraph(info->word, token.parameter, m_state.paragraph);
        break;
    case RtfFamily::Break:
        breakWord(info->word);
        break;
    case RtfFamily::Symbol:
        character(info->character);
        break;
    case RtfFamily::Skip:
        beginSkip();
        break;
    }
}

void RtfParser::documentWord(RtfWord word, const RtfTokenizer::Token& token)
{
    switch (word) {
    case RtfWord::Ansi:
        setDocumentCodePage(1252);
        break;
    case RtfWord::Mac:
        setDocumentCodePage(10000);
        break;
    case RtfWord::Pc:
        setDocumentCodePage(437);
        break;
    case RtfWord::Pca:
        setDocumentCodePage(850);
        break;
    case RtfWord::AnsiCodePage:
        setDocumentCodePage(token.parameter);
        break;
    case RtfWord::DefaultFont:
        changeCharacterState();
        m_tables.setDefaultFont(token.parameter);
        break;
    case RtfWord::UnicodeSkip:
        m_state.unicodeSkip = std::clamp(token.parameter, 0, kUnicodeSkipLimit);
        break;
    case RtfWord::Unicode: {
        if (!token.hasParameter)
            break;
        // Writers store code units above 32767 as negative numbers.
        const long long unit = token.parameter < 0 ? 65536LL + token.parameter : token.parameter;
        character(unit >= 0 && unit <= 0x10FFFF ? char32_t(unit) : char32_t(0xFFFD));
        m_fallbackLeft = m_state.unicodeSkip;
        break;
    }
    default:
        break;
    }
}

void RtfParser::setDocumentCodePage(int number)
{
    if (number == m_tables.documentCodePage())
        return;
    changeCharacterState();
    m_tables.setDocumentCodePage(number);
}

void RtfParser::tableWord(RtfWord word, int parameter)
{
    switch (word) {
    case RtfWord::FontTable:
    case RtfWord::ColorTable:
        // Outside any group a table would swallow the rest of a fragment.
        if (depth() == 0)
            break;
        flushText();
        if (word == RtfWord::FontTable) {
            m_state.destination = RtfDestination::FontTable;
            m_tables.beginFontTable();
        } else {
            m_state.destination = RtfDestination::ColorTable;
            m_tables.beginColourTable();
        }
        break;
    case RtfWord::FontCharset:
        if (m_state.destination == RtfDestination::FontTable)
            m_tables.fontCharset(parameter);
        break;
    case RtfWord::FontNil:
    case RtfWord::FontRoman:
    case RtfWord::FontSwiss:
    case RtfWord::FontModern:
    case RtfWord::FontScript:
    case RtfWord::FontDecor:
        if (m_state.destination == RtfDestination::FontTable)
            m_tables.fontKind(fontKind(word));
        break;
    case RtfWord::Red:
    case RtfWord::Green:
    case RtfWord::Blue:
        if (m_state.destination == RtfDestination::ColorTable)
            m_tables.colourComponent(word == RtfWord::Red ? 0 : word == RtfWord::Green ? 1 : 2, parameter);
        break;
    default:
        break;
    }
}

void RtfParser::characterWord(RtfWord word, const RtfTokenizer::Token& token)
{
    if (word == RtfWord::Font && m_state.destination == RtfDestination::FontTable) {
        m_tables.fontNumber(token.parameter);
        tablesChanged();
        return;
    }
    changeCharacterState();
    RtfFormatWords::applyCharacter(word, token.hasParameter, token.parameter, m_state.character);
}

void RtfParser::breakWord(RtfWord word)
{
    switch (word) {
    case RtfWord::Par:
    case RtfWord::Row:
        paragraph();
        break;
    case RtfWord::Line:
        character(0x2028);
        break;
    case RtfWord::Tab:
    case RtfWord::Cell:
        character(u'\t');
        break;
    default:
        break;
    }
}

void RtfParser::controlSymbol(char symbol)
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
        paragraph();
        break;
    default:
        break;
    }
}

void RtfParser::text(QByteArrayView bytes)
{
    if (m_fallbackLeft > 0) {
        const qsizetype dropped = std::min<qsizetype>(m_fallbackLeft, bytes.size());
        m_fallbackLeft -= int(dropped);
        bytes = bytes.sliced(dropped);
    }
    if (m_skipDepth > 0 || bytes.isEmpty())
        return;
    switch (m_state.destination) {
    case RtfDestination::Text:
        if (!m_state.character.hidden)
            m_pendingBytes.append(bytes);
        break;
    case RtfDestination::FontTable:
        m_tables.fontTableText(bytes);
        tablesChanged();
        break;
    case RtfDestination::ColorTable:
        m_tables.colourTableText(bytes);
        tablesChanged();
        break;
    }
}

void RtfParser::byte(char value)
{
    text(QByteArrayView(&value, 1));
}

void RtfParser::character(char32_t value)
{
    if (m_state.destination != RtfDestination::Text || m_state.character.hidden)
        return;
    decodePending();
    const char32_t units[] = {value};
    m_writer.addCharacters(QString::fromUcs4(units, 1));
}

void RtfParser::changeCharacterState()
{
    flushText();
    m_writer.formatChanged();
    m_codePage = nullptr;
}

void RtfParser::tablesChanged()
{
    m_writer.formatChanged();
    m_codePage = nullptr;
}

void RtfParser::decodePending()
{
    if (m_pendingBytes.isEmpty())
        return;
    if (!m_codePage)
        m_codePage = &m_tables.codePage(m_state.character.font);
    QString decoded;
    m_codePage->append(decoded, m_pendingBytes);
    m_pendingBytes.clear();
    m_writer.addCharacters(decoded);
}

void RtfParser::flushText()
{
    decodePending();
    m_writer.flush();
}

void RtfParser::paragraph()
{
    if (m_state.destination != RtfDestination::Text || m_state.character.hidden)
        return;
    flushText();
    m_writer.endParagraph();
}
