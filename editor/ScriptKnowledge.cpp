#include "editor/ScriptKnowledge.h"

#include "catalogue/Catalogue.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

ScriptKnowledge::Command ScriptKnowledge::fromCatalogueType(const QString& word, const QString& prefix, CommandType type,
                                                            const QString& usage)
{
    Command command;
    command.word = word;
    command.prefix = prefix;
    command.usage = usage;
    // The properties dialog offers a list of round counts for a number, but the game
    // takes any whole count, so the list itself is no limit.
    command.needsValue = type == CommandType::Number || (type == CommandType::Text && usageNeedsValue(usage));
    command.wholeNumber = type == CommandType::Number;
    return command;
}

QString ScriptKnowledge::usageOf(const QString& page)
{
    // "**Line:** /tell ..." in the markup, "{\b Line:} /tell ...\par" once made RTF.
    static const QRegularExpression line(QStringLiteral("Line:(?:\\*\\*|\\})?[ \\t]*([^\\\\\\r\\n]*)"));
    const QRegularExpressionMatch found = line.match(page);
    return found.hasMatch() ? found.captured(1).trimmed() : QString();
}

bool ScriptKnowledge::usageNeedsValue(const QString& usage)
{
    int optional = 0;  // how deep inside square brackets
    for (const QChar c : usage) {
        if (c == u'[')
            ++optional;
        else if (c == u']')
            optional = std::max(0, optional - 1);
        else if (c == u'<' && optional == 0)
            return true;
    }
    return false;
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
    // Only free text can go either way; its help page says whether it may be left out.
    const QHash<qint64, QString> freeTextPages = catalogue.pagesOfType(CommandType::Text);
    for (const CatalogueCommand& command : catalogue.allCommands()) {
        const QString usage = command.type == CommandType::Text ? usageOf(freeTextPages.value(command.id)) : QString();
        knowledge.commands.append(
            fromCatalogueType(command.text, prefixOfGroup.value(command.group), command.type, usage));
        knowledge.commands.last().group = nameOfGroup.value(command.group);
    }
    return knowledge;
}
