#pragma once

#include <QByteArray>
#include <QString>

// Writes `bytes` to `path` whole; fails the running test otherwise.
void writeFile(const QString& path, const QByteArray& bytes);
// The file's bytes, or "<missing>" when it cannot be read.
QByteArray readFile(const QString& path);
