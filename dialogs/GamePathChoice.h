#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

// Decisions of the options dialog, apart from the dialog.
namespace GamePathChoice {

// The open-file dialog's filter and title for locating the game.
QString browseFilter();
QString browseTitle();

// The game folder from the file the player chose: everything before the name
// "anarchy.exe", found without regard to letter case and kept in its own case
// (so it ends with the separator). No value when the name is not in the path.
std::optional<QString> folderOfChosenFile(const QString& chosen);

// The game folder a typed path names: the path of anarchy.exe itself (any letter
// case) or the folder that holds it, "~" standing for `home`. Always ends with "/";
// empty for an empty entry, which means "no game folder". Whether the folder really
// holds the game is for the caller to look up.
QString folderOfTyped(const QString& typed, const QString& home);

// Top-left corner that centres a window of outer size `outer` on `screen`.
QPoint centredOn(const QRect& screen, const QSize& outer);

}
