#pragma once

#include <QString>
#include <QStringList>

// What the properties dialog makes of the text it is handed and of what the player
// enters: the command and value of a script line, the entries of its lists, and
// the value part of the line it writes.
namespace CommandLineParser {

struct ParsedLine {
    // The text to look for among the command list's entries ("tell", "pet rename").
    QString key;
    // The value the line carried, before its quotes are taken off; empty for a
    // command handed over from the tree.
    QString lineValue;
    // The command was followed by a space on its line (even with no value after it).
    bool separated = false;
    friend bool operator==(const ParsedLine&, const ParsedLine&) = default;
};

// Splits the handed-over text. Without a leading "/" the text is a command from the
// tree (with its group's word in front) and has no value. A line without a space
// is a command alone: its value is empty, never the line itself.
ParsedLine parse(const QString& currentLine);

// Leading and trailing spaces off (spaces only: a tab in a value is the player's).
QString trimSpaces(const QString& text);

// The command list's entry for a catalogue row: pet and organisation commands carry
// the word the game expects in front of them.
QString listEntry(int commandGroupId, const QString& commandText);

// The catalogue name behind a list text: the word after the first space, if any.
QString commandName(const QString& listText);

// Takes a one-character quote off the value's first and last characters.
QString unquote(const QString& lineValue, const QString& valueQuote);

// A value part (" " + value) holding an inner space goes between two quotes so the
// game reads it as one value; anything else is written as it is.
QString wrapValue(const QString& valuePart, const QString& valueQuote);

// The value part of the line OK writes: nothing without a value editor, else a space
// and the value, wrapped. An empty value keeps its lone space only when `bareSpace`
// (a new line from the tree, or a script line that had one), so a script line
// opened and confirmed unchanged is written back as it was.
QString valuePart(bool editorShown, const QString& value, const QString& valueQuote, bool bareSpace);

// Every kind of line break turns into one space: a command line must stay one line.
QString singleLine(const QString& text);

// The number a value starts with as plain digits ("" when it starts with no digit).
// Spaces are skipped as the digits are read and leading zeros dropped.
QString leadingNumber(const QString& value);

// The entries of the number list and the one to select (-1: none). A number of the
// value that is not among the ten steps joins the list in numeric order, so the
// player's own value survives the dialog.
struct NumberList {
    QStringList entries;
    int selected = -1;
};
NumberList numberEntries(const QString& lineValue);

}
