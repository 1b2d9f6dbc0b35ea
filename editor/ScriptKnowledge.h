#pragma once

#include <QList>
#include "catalogue/CatalogueRecords.h"

#include <QString>
#include <QStringList>

class Catalogue;

// What the script check knows about the game's chat commands, as plain data: every
// word it knows comes from the catalogue, none is written into the check itself.
struct ScriptKnowledge {
    struct Command {
        QString word;
        // The word typed between the slash and this one when the command is an order
        // of a group ("pet" for "/pet attack"); empty for a command typed on its own.
        QString prefix;
        // Written without a value the game cannot run the line.
        bool needsValue = false;
        // The value is a count (the milliseconds of a pause): digits only.
        bool wholeNumber = false;
        // When not empty, the only values the game takes.
        QStringList accepted;
        // How the line is written ("/tell <name> [<message>]"), when the catalogue says.
        QString usage;
        // The name of the command's group in the tree ("Social Moves"), which says
        // what kind of thing the line does.
        QString group;
    };

    QList<Command> commands;
    // The command that starts a script by its file name; always known to the game,
    // whether or not the catalogue lists it.
    QString scriptCommand;

    // A command as the catalogue's value type describes it: 0 takes no value, 1 free
    // text, 3 a number the line cannot do without. Any other type asks nothing of the
    // value. Free text is needed when the command's usage names a value outside
    // square brackets ("/tell <name> [<message>]" needs the name).
    static Command fromCatalogueType(const QString& word, const QString& prefix, CommandType type,
                                     const QString& usage = QString());
    // The usage line of a help page (the text after "Line:"), in the page's markup or
    // as RTF; empty when the page has none.
    static QString usageOf(const QString& page);
    // Whether a usage line names a value that may not be left out.
    static bool usageNeedsValue(const QString& usage);

    // Every command of the catalogue, with its group's prefix. The example scripts
    // come along too; as their texts are whole lines they never match a typed word.
    static ScriptKnowledge fromCatalogue(Catalogue& catalogue);
};
