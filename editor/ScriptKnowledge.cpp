#include "editor/ScriptKnowledge.h"

#include "catalogue/Catalogue.h"

#include <QHash>

ScriptKnowledge::Command ScriptKnowledge::fromCatalogueType(const QString& word, const QString& prefix, int type)
{
    Command command;
    command.word = word;
    command.prefix = prefix;
    // The properties dialog offers a list of round counts for a number, but the game
    // takes any whole count, so the list itself is no limit.
    command.needsValue = type == 3;
    command.wholeNumber = type == 3;
    return command;
}

ScriptKnowledge ScriptKnowledge::fromCatalogue(Catalogue& catalogue)
{
    QHash<int, QString> prefixOfGroup;
    for (RowSet groups = catalogue.query(QStringLiteral("SELECT * FROM tblCommandGroup")); !groups.atEnd();
         groups.moveNext())
        prefixOfGroup.insert(groups.integer(QStringLiteral("CommandGroupID")),
                             groups.text(QStringLiteral("Prefix")).trimmed());

    ScriptKnowledge knowledge;
    // The same word the tree writes in front of a script file's name.
    knowledge.scriptCommand = QStringLiteral("script");
    for (RowSet rows = catalogue.table(QStringLiteral("tblCommand")); !rows.atEnd(); rows.moveNext())
        knowledge.commands.append(fromCatalogueType(rows.text(QStringLiteral("CommandText")),
                                                    prefixOfGroup.value(rows.integer(QStringLiteral("CommandGroupID"))),
                                                    rows.integer(QStringLiteral("CommandType"))));
    return knowledge;
}
