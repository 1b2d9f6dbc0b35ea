#pragma once

#include <QString>

class AppState;

// Before a script is written into the game's scripts folder under the name of one
// of the game's own commands, the player is asked once whether to keep that name.
namespace ScriptNameQuestion {

// True when the script may be written at `path`: the name is free, the file goes
// elsewhere, or the player chose to keep the name.
bool keepName(AppState& app, const QString& path);

}
