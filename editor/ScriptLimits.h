#pragma once

#include <QString>

// What a script file can hold, checked where text comes in (a paste, a drop) and
// before a save, so Save never writes what Open would refuse: no NUL, no line
// longer than ScriptFile::kLongestLine, no file over ScriptFile::kMaxBytes. A paste
// also leaves out the other control characters, which no chat line can hold.
namespace ScriptLimits {

struct Paste {
    QString text;      // what goes in, without the characters a script cannot hold
    int removed = 0;   // how many characters were taken out
    QString refusal;   // why nothing goes in at all; empty when the paste is taken
};
// `scriptLength`: the characters already in the script.
Paste checkPaste(const QString& pasted, qsizetype scriptLength);

// Why Open would refuse the text once saved; empty when it would open.
QString saveProblem(const QString& text);

// A character a chat line cannot hold (NUL and the other control characters but
// the tab and the line breaks).
bool unfit(QChar c);

}
