#pragma once

#include <QString>

// Whether two paths name one file: by device and inode when both exist, so a
// symbolic link, a ".." spelling or a hard link is still the same script; by the
// cleaned absolute path when either is gone (a script deleted under its window).
namespace FileIdentity {
bool sameFile(const QString& a, const QString& b);
}
