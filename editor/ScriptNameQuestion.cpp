#include "editor/ScriptNameQuestion.h"

#include "state/AppState.h"
#include "editor/ScriptKnowledge.h"
#include "editor/ScriptSaveName.h"
#include "platform/PathLookup.h"
#include "platform/Prompt.h"

#include <QFileInfo>

bool ScriptNameQuestion::keepName(AppState& app, const QString& path)
{
    const QString folder = PathLookup::findDirectory(app.gamePath(), QStringLiteral("scripts"));
    if (folder.isEmpty())
        return true;
    const QString command =
        ScriptSaveName::clashingCommand(path, folder, ScriptKnowledge::fromCatalogue(app.catalogue));
    if (command.isEmpty())
        return true;
    const QString name = QFileInfo(path).fileName();
    const QString text = QStringLiteral("The game has its own command /%1: typing /%1 runs that command, not this "
                                        "script. Saved as '%2', the script starts only through /script %2.\n\n"
                                        "Keep the name '%2'?")
                             .arg(command, name);
    return app.prompt.ask(QStringLiteral("Script Name"), text, PromptIcon::Question) == PromptAnswer::Yes;
}
