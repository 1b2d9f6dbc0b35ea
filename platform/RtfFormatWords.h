#pragma once

#include "platform/RtfControlWords.h"
#include "platform/RtfState.h"

// The character and paragraph families: each word changes the state of the group it is in.
// Values out of any sensible range are clamped here, so the document writer never sees them.
namespace RtfFormatWords {

// About 22 inches: wider than any page, small enough for any layout.
constexpr int kTwipsLimit = 31680;
// Word processors allow no more tab stops in one paragraph.
constexpr int kMaxTabStops = 64;

void applyCharacter(RtfWord word, bool hasParameter, int parameter, RtfCharacterState& s);
void applyParagraph(RtfWord word, int parameter, RtfParagraphState& p);

} // namespace RtfFormatWords
