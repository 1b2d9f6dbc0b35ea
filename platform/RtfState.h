#pragma once

#include <QList>
#include <QtCore/qnamespace.h>

#include <optional>

// What an RTF group has said so far. Each '{' saves a copy and each '}' restores it, so every
// property below is scoped by the group that set it.

enum class RtfDestination : quint8 { Text, FontTable, ColorTable };

// Character properties left at -1 take the cursor's own format.
struct RtfCharacterState {
    qint8 bold = -1;
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
};

struct RtfTabStop {
    enum class Kind : quint8 { Left, Centre, Right, Decimal };
    int position = 0;  // twips from the same edge the left indent counts from
    Kind kind = Kind::Left;
};

// Lengths are twips; unset ones leave the block's own format alone.
struct RtfParagraphState {
    std::optional<Qt::Alignment> alignment;
    std::optional<int> left, right, first, before, after;
    QList<RtfTabStop> tabs;
    RtfTabStop::Kind nextTabKind = RtfTabStop::Kind::Left;  // a \tqr or \tqc waits for its \tx
};

struct RtfGroupState {
    RtfDestination destination = RtfDestination::Text;
    int unicodeSkip = 1;
    RtfCharacterState character;
    RtfParagraphState paragraph;
};
