#include "platform/PathLookup.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Names are built by plain concatenation, so a folder without its trailing "/"
// gives a name that does not exist; only the last part of the name is matched
// without regard to case, never the folders above it.
QString findEntry(const QString& folder, const QString& name, QDir::Filters kind)
{
    const QString full = folder + name;
    const QFileInfo info(full);
    if (info.exists() && (kind == QDir::Dirs ? info.isDir() : info.isFile()))
        return full;
    const QString entryName = info.fileName();
    const QString prefix = full.left(full.size() - entryName.size());
    const QStringList entries = info.dir().entryList(kind | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (entry.compare(entryName, Qt::CaseInsensitive) == 0)
            return prefix + entry;
    }
    return {};
}

}

QString PathLookup::findFile(const QString& folder, const QString& name)
{
    return findEntry(folder, name, QDir::Files);
}

QString PathLookup::findDirectory(const QString& folder, const QString& name)
{
    return findEntry(folder, name, QDir::Dirs);
}
