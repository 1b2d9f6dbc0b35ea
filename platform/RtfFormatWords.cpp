#include "platform/RtfFormatWords.h"

#include <algorithm>

namespace {

// Point sizes above 1638 only make the layout pointlessly large; below 2, Qt rounds a
// superscript down to a zero-point font.
constexpr int kHalfPointsLimit = 3276;
constexpr int kHalfPointsFloor = 4;
constexpr int kDefaultHalfPoints = 24;

int twips(int parameter, int floor)
{
    return std::clamp(parameter, floor, RtfFormatWords::kTwipsLimit);
}

void addTabStop(RtfParagraphState& p, int position)
{
    const RtfTabStop stop{twips(position, 0), p.nextTabKind};
    p.nextTabKind = RtfTabStop::Kind::Left;
    if (p.tabs.size() < RtfFormatWords::kMaxTabStops)
        p.tabs.append(stop);
}

} // namespace

void RtfFormatWords::applyCharacter(RtfWord word, bool hasParameter, int parameter, RtfCharacterState& s)
{
    const bool on = !hasParameter || parameter != 0;
    switch (word) {
    case RtfWord::Plain:
        s = RtfCharacterState();
        break;
    case RtfWord::Bold:
        s.bold = on;
        break;
    case RtfWord::Italic:
        s.italic = on;
        break;
    case RtfWord::Underline:
        s.underline = on;
        break;
    case RtfWord::UnderlineNone:
        s.underline = 0;
        break;
    case RtfWord::Strike:
        s.strike = on;
        break;
    case RtfWord::Hidden:
        s.hidden = on;
        break;
    case RtfWord::FontSize:
        s.halfPoints = hasParameter ? std::clamp(parameter, kHalfPointsFloor, kHalfPointsLimit) : kDefaultHalfPoints;
        break;
    case RtfWord::Font:
        s.font = parameter;
        break;
    case RtfWord::Foreground:
        s.foreground = parameter;
        break;
    case RtfWord::Background:
        s.background = parameter;
        break;
    case RtfWord::Highlight:
        s.highlight = parameter;
        break;
    case RtfWord::Super:
        s.vertical = on ? 1 : 0;
        break;
    case RtfWord::Sub:
        s.vertical = on ? 2 : 0;
        break;
    case RtfWord::NoSuperSub:
        s.vertical = 0;
        break;
    default:
        break;
    }
}

void RtfFormatWords::applyParagraph(RtfWord word, int parameter, RtfParagraphState& p)
{
    switch (word) {
    case RtfWord::Pard:
        p = RtfParagraphState();
        break;
    case RtfWord::AlignLeft:
        p.alignment = Qt::AlignLeft;
        break;
    case RtfWord::AlignCenter:
        p.alignment = Qt::AlignHCenter;
        break;
    case RtfWord::AlignRight:
        p.alignment = Qt::AlignRight;
        break;
    case RtfWord::AlignJustify:
        p.alignment = Qt::AlignJustify;
        break;
    case RtfWord::LeftIndent:
        p.left = twips(parameter, 0);
        break;
    case RtfWord::RightIndent:
        p.right = twips(parameter, 0);
        break;
    case RtfWord::FirstIndent:
        p.first = twips(parameter, -kTwipsLimit);
        break;
    case RtfWord::SpaceBefore:
        p.before = twips(parameter, 0);
        break;
    case RtfWord::SpaceAfter:
        p.after = twips(parameter, 0);
        break;
    case RtfWord::TabStop:
        addTabStop(p, parameter);
        break;
    case RtfWord::TabCentre:
        p.nextTabKind = RtfTabStop::Kind::Centre;
        break;
    case RtfWord::TabRight:
        p.nextTabKind = RtfTabStop::Kind::Right;
        break;
    case RtfWord::TabDecimal:
        p.nextTabKind = RtfTabStop::Kind::Decimal;
        break;
    default:
        break;
    }
}
