#include "editor/ScriptKnowledge.h"

#include "catalogue/Catalogue.h"

#include <QHash>

ScriptKnowledge::Command ScriptKnowledge::fromCatalogueType(const QString& word, const QString& prefix, CommandType type)
{
    Command command;
    command.word = word;
    command.prefix = prefix;
    // The properties dialog offers a list of round counts for a number, but the game
    // takes any whole count, so the list itself is no limit.
    command.needsValue = type == CommandType::Number;
    command.wholeNumber = type == CommandType::Number;
    return command;
}

ScriptKnowledge ScriptKnowledge::fromCatalogue(Catalogue& catalogue)
{
    // Only the groups' prefixes are needed here, not their commands.
    QHash<int, QString> prefixOfGroup;
    for (const CatalogueGroup& group : catalogue.commandTree([](int) { return false; }))
        prefixOfGroup.insert(group.id, group.prefix.trimmed());

    ScriptKnowledge knowledge;
    // The same word the tree writes in front of a script file's name.
    knowledge.scriptCommand = QStringLiteral("script");
    for (const CatalogueCommand& command : catalogue.allCommands())
        knowledge.commands.append(fromCatalogueType(command.text, prefixOfGroup.value(command.group), command.type));
    return knowledge;
}
