#include "platform/RtfCodePage.h"

#include "platform/ScriptCodec.h"

#include <array>
#include <utility>

namespace {

struct KnownCodePage {
    int number;
    const char* name;
    bool singleByte;
};

// Only code pages RTF writers actually name are looked up, so a flood of made-up numbers
// never turns into a flood of converter look-ups.
constexpr KnownCodePage kKnown[] = {
    {437, "IBM437", true},         {850, "IBM850", true},         {852, "IBM852", true},
    {855, "IBM855", true},         {857, "IBM857", true},         {860, "IBM860", true},
    {861, "IBM861", true},         {862, "IBM862", true},         {863, "IBM863", true},
    {864, "IBM864", true},         {865, "IBM865", true},         {866, "IBM866", true},
    {869, "IBM869", true},         {874, "windows-874", true},    {932, "Shift_JIS", false},
    {936, "GBK", false},           {949, "windows-949", false},   {950, "Big5", false},
    {1250, "windows-1250", true},  {1251, "windows-1251", true},  {1253, "windows-1253", true},
    {1254, "windows-1254", true},  {1255, "windows-1255", true},  {1256, "windows-1256", true},
    {1257, "windows-1257", true},  {1258, "windows-1258", true},  {10000, "macintosh", true},
    {20127, "US-ASCII", true},     {28591, "ISO-8859-1", true},   {28592, "ISO-8859-2", true},
    {28595, "ISO-8859-5", true},   {28597, "ISO-8859-7", true},   {28605, "ISO-8859-15", true},
    {65001, "UTF-8", false},
};

} // namespace

RtfCodePage::RtfCodePage(int codePage)
{
    if (codePage == kSymbol) {
        m_number = kSymbol;
        m_symbol = true;
        return;
    }
    for (const KnownCodePage& known : kKnown) {
        if (known.number != codePage)
            continue;
        QStringDecoder decoder(known.name, QStringConverter::Flag::Stateless);
        if (decoder.isValid()) {
            m_number = codePage;
            m_singleByte = known.singleByte;
            m_decoder.emplace(std::move(decoder));
        }
        break;
    }
}

char16_t RtfCodePage::windows1252(unsigned char byte)
{
    // The scripts' own code page: every byte value maps, none is lost.
    return ScriptCodec::toChar(byte).unicode();
}

void RtfCodePage::append(QString& out, QByteArrayView bytes)
{
    if (m_symbol) {
        // Of the Symbol font's own encoding only the bullet matters: list text shows it
        // before each item. Its other bytes read as Windows-1252, like any unknown page.
        for (const char byte : bytes)
            out.append(byte == '\xB7' ? QChar(0x2022) : QChar(windows1252(static_cast<unsigned char>(byte))));
        return;
    }
    if (!m_decoder) {
        for (const char byte : bytes)
            out.append(QChar(windows1252(static_cast<unsigned char>(byte))));
        return;
    }
    out.append(m_decoder->decode(bytes));
}

int RtfCodePage::forFont(int charset, QByteArrayView name)
{
    constexpr int kSymbolCharset = 2;
    if (charset == kSymbolCharset && QByteArrayView("Symbol").compare(name, Qt::CaseInsensitive) == 0)
        return kSymbol;
    return forCharset(charset);
}

int RtfCodePage::forCharset(int charset)
{
    switch (charset) {
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    default: return 0;
    }
}
