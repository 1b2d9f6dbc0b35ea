#include "app/RecentScripts.h"

#include "platform/Settings.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kKey = QStringLiteral("RecentScripts");

// One spelling per file, so "scripts/../scripts/pull" and "scripts/pull" are one entry.
QString normalised(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

}

RecentScripts::RecentScripts(const QStringList& newestFirst)
{
    for (auto it = newestFirst.crbegin(); it != newestFirst.crend(); ++it) {
        if (!it->trimmed().isEmpty())
            add(*it);
    }
}

void RecentScripts::add(const QString& path)
{
    const QString entry = normalised(path);
    m_paths.removeAll(entry);
    m_paths.prepend(entry);
    if (m_paths.size() > Limit)
        m_paths.resize(Limit);
}

void RecentScripts::remove(const QString& path)
{
    m_paths.removeAll(normalised(path));
}

bool RecentScripts::dropIfMissing(const QString& path)
{
    if (QFileInfo(path).isFile())
        return false;
    remove(path);
    return true;
}

QString RecentScripts::missingTitle()
{
    return QStringLiteral("Recent Scripts");
}

QString RecentScripts::missingText(const QString& path)
{
    return QStringLiteral("The script '") + path +
           QStringLiteral("' no longer exists. It has been taken off the list of recent scripts.");
}

RecentScripts RecentScripts::load()
{
    return RecentScripts(Settings().readList(kKey));
}

void RecentScripts::save() const
{
    Settings().writeList(kKey, m_paths);
}
