#pragma once

#include "editor/ScriptKnowledge.h"

#include <QString>

// The game looks for a built-in command of the typed word before it looks for a
// script file, so a script named like a command never starts by its own name.
namespace ScriptSaveName {

// The command a script saved at `path` would lose its name to, as the catalogue
// spells it; empty when the name is free or the file does not go into the game's
// scripts folder `scriptsFolder` (empty: no such folder is known). Letter case is
// ignored, as the game ignores it.
QString clashingCommand(const QString& path, const QString& scriptsFolder, const ScriptKnowledge& knowledge);

}
