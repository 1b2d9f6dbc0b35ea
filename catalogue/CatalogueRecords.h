#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// What the catalogue answers, as plain values. A field the catalogue holds no value
// for reads as the empty text, or 0 as a number.

// One chat command. Its id and group say which command it is: two rows may share a
// word ("invite" for the chat group and for the organisation).
struct CatalogueCommand {
    qint64 id = 0;
    int group = 0;
    QString text;         // the command word, without its slash
    QString description;  // one line, for the status bar and the properties dialog
    int type = 0;         // chooses the properties dialog's value editor
    QString add;          // put around a value that holds a space
    QStringList values;   // the words the value is picked from, if it comes from a fixed set
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
};
