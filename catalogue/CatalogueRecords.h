#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// What the catalogue answers, as plain values. A field the catalogue holds no value
// for reads as the empty text, or 0 as a number.

// What the value of a command is, which chooses the properties dialog's value
// editor. The numbers are the ones stored in the catalogue.
enum class CommandType : int {
    NoValue = 0,  // the command word alone
    Text = 1,     // free text or a name, or a word from the command's list
    Number = 3,   // a whole number (milliseconds for /delay)
};

// The groups the program treats apart from the others, by their stored ids.
namespace CommandGroup {
inline constexpr int Scripts = 5;       // lists the game's script files when it has a folder
inline constexpr int Pet = 7;           // written "/pet " + word
inline constexpr int Organisation = 8;  // written "/org " + word
inline constexpr int Examples = 9;      // whole example lines, not commands
}

// One chat command. Its id and group say which command it is: two rows may share a
// word ("invite" for the chat group and for the organisation).
struct CatalogueCommand {
    qint64 id = 0;
    int group = 0;
    QString text;         // the command word, without its slash
    QString description;  // one line, for the status bar and the properties dialog
    CommandType type = CommandType::NoValue;
    QString add;          // put around a value that holds a space
    QStringList values;   // the words the value is picked from, if it comes from a fixed set

    bool takesValue() const { return type != CommandType::NoValue; }
    // The tree's node that writes the whole catalogue is stored as a command of its own.
    bool isWholeCatalogue() const { return text == QLatin1String("All"); }
};

// One group of the command tree, with the commands listed under it.
struct CatalogueGroup {
    int id = 0;
    QString text;
    QString prefix;  // written before the group's command words ("pet"); may be empty
    std::vector<CatalogueCommand> commands;
};

// A command's help page: rich-text markup, or empty for a command without one.
struct CataloguePage {
    QString command;
    QString page;
    QString prefix;  // the group's word typed before the command ("pet"); only in the book's pages
};
