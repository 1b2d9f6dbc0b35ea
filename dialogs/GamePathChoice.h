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

// Top-left corner that centres a window of outer size `outer` on `screen`.
QPoint centredOn(const QRect& screen, const QSize& outer);

}
