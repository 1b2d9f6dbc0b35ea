#pragma once

#include <QString>

// Whether two paths name one file: by device and inode when both exist, so a
// symbolic link, a ".." spelling or a hard link is still the same script; by the
// cleaned absolute path when either is gone (a script deleted under its window).
namespace FileIdentity {
bool sameFile(const QString& a, const QString& b);

// What tells one version of a file from the next without reading it.
struct Stamp {
    bool exists = false;
    quint64 device = 0, inode = 0;
    qint64 size = 0, modifiedNs = 0;
    bool operator==(const Stamp&) const = default;
};
Stamp stamp(const QString& path);
}
