#include "platform/RtfControlWords.h"

#include <initializer_list>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace {

using Table = std::unordered_map<std::string_view, RtfWordInfo>;

void add(Table& t, RtfFamily family, std::initializer_list<std::pair<std::string_view, RtfWord>> words)
{
    for (const auto& [letters, word] : words)
        t.emplace(letters, RtfWordInfo{family, word});
}

void addFormatWords(Table& t)
{
    add(t, RtfFamily::Document,
        {{"rtf", RtfWord::Rtf}, {"ansi", RtfWord::Ansi}, {"ansicpg", RtfWord::AnsiCodePage}, {"mac", RtfWord::Mac},
         {"pc", RtfWord::Pc}, {"pca", RtfWord::Pca}, {"deff", RtfWord::DefaultFont}, {"uc", RtfWord::UnicodeSkip},
         {"u", RtfWord::Unicode}, {"bin", RtfWord::Bin}});
    add(t, RtfFamily::Table,
        {{"fonttbl", RtfWord::FontTable}, {"colortbl", RtfWord::ColorTable}, {"fcharset", RtfWord::FontCharset},
         {"fnil", RtfWord::FontNil}, {"froman", RtfWord::FontRoman}, {"fswiss", RtfWord::FontSwiss},
         {"fmodern", RtfWord::FontModern}, {"fscript", RtfWord::FontScript}, {"fdecor", RtfWord::FontDecor},
         {"red", RtfWord::Red}, {"green", RtfWord::Green}, {"blue", RtfWord::Blue}});
    add(t, RtfFamily::Character,
        {{"plain", RtfWord::Plain}, {"b", RtfWord::Bold}, {"i", RtfWord::Italic}, {"ulnone", RtfWord::UnderlineNone},
         {"strike", RtfWord::Strike}, {"strikedl", RtfWord::Strike}, {"v", RtfWord::Hidden}, {"fs", RtfWord::FontSize},
         {"f", RtfWord::Font}, {"cf", RtfWord::Foreground}, {"cb", RtfWord::Background},
         {"chcbpat", RtfWord::Background}, {"highlight", RtfWord::Highlight}, {"super", RtfWord::Super},
         {"sub", RtfWord::Sub}, {"nosupersub", RtfWord::NoSuperSub}});
    for (std::string_view underline :
         {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth", "ulthd", "ulthdash",
          "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave"})
        t.emplace(underline, RtfWordInfo{RtfFamily::Character, RtfWord::Underline});
    add(t, RtfFamily::Paragraph,
        {{"pard", RtfWord::Pard}, {"ql", RtfWord::AlignLeft}, {"qc", RtfWord::AlignCenter},
         {"qr", RtfWord::AlignRight}, {"qj", RtfWord::AlignJustify}, {"li", RtfWord::LeftIndent},
         {"ri", RtfWord::RightIndent}, {"fi", RtfWord::FirstIndent}, {"sb", RtfWord::SpaceBefore},
         {"sa", RtfWord::SpaceAfter}, {"tx", RtfWord::TabStop}, {"tqc", RtfWord::TabCentre},
         {"tqr", RtfWord::TabRight}, {"tqdec", RtfWord::TabDecimal}});
    add(t, RtfFamily::Break,
        {{"par", RtfWord::Par}, {"page", RtfWord::Par}, {"sect", RtfWord::Par}, {"line", RtfWord::Line},
         {"tab", RtfWord::Tab}, {"cell", RtfWord::Cell}, {"nestcell", RtfWord::Cell}, {"row", RtfWord::Row},
         {"nestrow", RtfWord::Row}});
}

void addSymbols(Table& t)
{
    const std::pair<std::string_view, char16_t> symbols[] = {
        {"emdash", 0x2014}, {"endash", 0x2013}, {"emspace", 0x2003}, {"enspace", 0x2002},
        {"qmspace", 0x2005}, {"bullet", 0x2022}, {"lquote", 0x2018}, {"rquote", 0x2019},
        {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"zwj", 0x200D}, {"zwnj", 0x200C},
        {"ltrmark", 0x200E}, {"rtlmark", 0x200F},
    };
    for (const auto& [letters, character] : symbols)
        t.emplace(letters, RtfWordInfo{RtfFamily::Symbol, RtfWord::None, character});
}

void addSkippedDestinations(Table& t)
{
    // Document information, styles, pictures, embedded objects, page furniture, field
    // instructions (the field result is kept), bookmarks, annotations, and the numbering
    // definitions of lists: their bullets and numbers come as text in \pntext and
    // \listtext, which stay visible.
    for (std::string_view skipped :
         {"info", "stylesheet", "pict", "shppict", "nonshppict", "object", "objdata", "objclass", "objname",
          "header", "headerl", "headerr", "headerf", "footer", "footerl", "footerr", "footerf", "footnote",
          "fldinst", "themedata", "colorschememapping", "latentstyles", "datastore", "xmlnstbl", "listtable",
          "listoverridetable", "rsidtbl", "generator", "annotation", "atnid", "atnauthor", "atrfstart", "atrfend",
          "bkmkstart", "bkmkend", "comment", "author", "operator", "title", "subject", "keywords", "doccomm",
          "company", "category", "manager", "shp", "shpinst", "sp", "sn", "sv", "filetbl", "revtbl", "pgdsctbl",
          "falt", "panose", "fontemb", "fontfile", "pn", "pnseclvl", "pntxta", "pntxtb", "printim", "buptim",
          "creatim", "revtim", "mmathPr", "xe", "tc", "txe", "private", "template", "userprops", "docvar",
          "wgrffmtfilter", "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc", "aftncn", "listpicture",
          "passwordhash", "mhtmltag", "htmltag", "formfield"})
        t.emplace(skipped, RtfWordInfo{RtfFamily::Skip});
}

} // namespace

const RtfWordInfo* rtfControlWord(QByteArrayView letters)
{
    static const Table table = [] {
        Table t;
        addFormatWords(t);
        addSymbols(t);
        addSkippedDestinations(t);
        return t;
    }();
    const auto found = table.find(std::string_view(letters.data(), size_t(letters.size())));
    return found == table.end() ? nullptr : &found->second;
}
