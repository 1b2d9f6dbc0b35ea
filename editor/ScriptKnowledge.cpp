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
    // Only the groups' prefixes and names are needed here, not their commands.
    QHash<int, QString> prefixOfGroup;
    QHash<int, QString> nameOfGroup;
    for (const CatalogueGroup& group : catalogue.commandTree([](int) { return false; })) {
        prefixOfGroup.insert(group.id, group.prefix.trimmed());
        nameOfGroup.insert(group.id, group.text);
    }

    ScriptKnowledge knowledge;
    // The same word the tree writes in front of a script file's name.
    knowledge.scriptCommand = QStringLiteral("script");
    for (const CatalogueCommand& command : catalogue.allCommands()) {
        knowledge.commands.append(fromCatalogueType(command.text, prefixOfGroup.value(command.group), command.type));
        knowledge.commands.last().group = nameOfGroup.value(command.group);
    }
    return knowledge;
}
