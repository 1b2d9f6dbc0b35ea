#include "platform/RtfTables.h"

#include <algorithm>

void RtfTables::beginFontTable()
{
    m_entryFont = -1;
    m_entryCharset = 0;
    m_entryKind = QFont::AnyStyle;
    m_entryName.clear();
}

void RtfTables::fontTableText(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (c == ';')
            endFontEntry();
        else
            m_entryName.append(c);
    }
}

void RtfTables::fontNumber(int number)
{
    commitFontEntry();
    m_entryFont = number;
}

void RtfTables::fontCharset(int charset)
{
    m_entryCharset = charset;
}

void RtfTables::fontKind(QFont::StyleHint kind)
{
    m_entryKind = kind;
}

void RtfTables::endFontEntry()
{
    commitFontEntry();
    m_entryFont = -1;
    m_entryCharset = 0;
    m_entryKind = QFont::AnyStyle;
}

void RtfTables::commitFontEntry()
{
    const QByteArray name = m_entryName.trimmed();
    m_entryName.clear();
    if (name.isEmpty() || m_entryFont < 0)
        return;
    const int codePage = RtfCodePage::forFont(m_entryCharset, name);
    QString decoded;
    RtfCodePage(codePage).append(decoded, name);
    m_fonts.insert(m_entryFont, Font{decoded, codePage, m_entryKind});
}

void RtfTables::beginColourTable()
{
    m_entryColour = Colour();
}

void RtfTables::colourComponent(int which, int value)
{
    m_entryColour.automatic = false;
    m_entryComponents[std::clamp(which, 0, 2)] = std::clamp(value, 0, 255);
}

void RtfTables::colourTableText(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (c != ';')
            continue;
        if (!m_entryColour.automatic)
            m_entryColour.color = QColor(m_entryComponents[0], m_entryComponents[1], m_entryComponents[2]);
        m_colours.push_back(m_entryColour);
        m_entryColour = Colour();
        std::fill(std::begin(m_entryComponents), std::end(m_entryComponents), 0);
    }
}

const RtfTables::Font* RtfTables::font(int number) const
{
    const auto it = m_fonts.constFind(number >= 0 ? number : m_defaultFont);
    return it == m_fonts.constEnd() ? nullptr : &*it;
}

const QColor* RtfTables::colour(int index) const
{
    // Index 0 is by custom the "auto" colour, which an empty first entry also says.
    if (index < 0 || size_t(index) >= m_colours.size())
        return nullptr;
    const Colour& entry = m_colours[size_t(index)];
    return entry.automatic ? nullptr : &entry.color;
}

RtfCodePage& RtfTables::codePage(int font)
{
    int number = m_documentCodePage;
    if (const Font* f = this->font(font); f && f->codePage != 0)
        number = f->codePage;
    auto it = m_codePages.find(number);
    if (it == m_codePages.end())
        it = m_codePages.emplace(number, RtfCodePage(number)).first;
    return it->second;
}
