#pragma once

#include "platform/IoResult.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class QFile;

// Puts new bytes into a file so that it stays the file it was, and so that a
// failure or a kill at any moment leaves either the old or the new text whole.
//
// A file owned by someone else, with extended attributes, or with other hard links
// is written in place: its text is first copied aside, then the file is overwritten,
// cut to length and synced, and the copy put back should that fail. Any other file
// is replaced: the text goes to a temporary file that is synced and renamed over
// it, and the folder is synced so the rename itself survives a power cut.
//
// Temporary files are hidden (".<name>.zandrel-XXXXXX"), so the scripts folder's
// listing never shows one; those an interrupted save left behind are removed at the
// next save of that file.
namespace CarefulSave {

// Opens the temporary file at `path` (tests hand in one that fails).
using TempOpener = std::function<std::unique_ptr<QFile>(const QString& path)>;

IoResult write(const QString& path, const QByteArray& bytes, const TempOpener& openTemp = {});

// Whether the file at `path` must be written in place to keep its owner, its
// extended attributes or its other hard links.
bool needsInPlace(const QString& path);

// The names of leftover temporary files of `path` (a pattern for QDir).
QString leftoverPattern(const QString& path);

}
