#pragma once

#include <QString>

// Names inside the game folder are matched without regard to letter case, as the
// game's own platform did: a game installed under Wine often has "Anarchy.exe".
namespace PathLookup {

// `folder` + `name` as it exists on disk (the entry's own letter case), or an empty
// string when no entry of that name exists. An empty folder means the working folder.
QString findFile(const QString& folder, const QString& name);
QString findDirectory(const QString& folder, const QString& name);

}
