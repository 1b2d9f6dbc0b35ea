#include "editor/ScriptSaveName.h"

#include <QDir>
#include <QFileInfo>

QString ScriptSaveName::clashingCommand(const QString& path, const QString& scriptsFolder,
                                        const ScriptKnowledge& knowledge)
{
    const QFileInfo file(path);
    if (scriptsFolder.isEmpty() || QDir::cleanPath(file.path()) != QDir::cleanPath(scriptsFolder))
        return {};
    const QString name = file.fileName();
    // The words typed straight after the slash: the commands of no group word, the
    // group words themselves ("/pet" is a command too) and the script command.
    // An order such as "attack" of "/pet attack" is not one of them.
    if (name.compare(knowledge.scriptCommand, Qt::CaseInsensitive) == 0)
        return knowledge.scriptCommand;
    for (const ScriptKnowledge::Command& command : knowledge.commands) {
        const QString& word = command.prefix.isEmpty() ? command.word : command.prefix;
        if (name.compare(word, Qt::CaseInsensitive) == 0)
            return word;
    }
    return {};
}
