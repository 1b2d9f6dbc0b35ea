#include "editor/DiskWatch.h"

#include <QFileInfo>
#include <QFileSystemWatcher>

DiskWatch::DiskWatch(QObject* parent) : QObject(parent), m_watcher(new QFileSystemWatcher(this))
{
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &DiskWatch::check);
    // The folder too: a file replaced by renaming another over it, or put back after
    // a delete, is seen only there.
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &DiskWatch::check);
}

void DiskWatch::follow(const QString& path)
{
    if (!m_watcher->files().isEmpty())
        m_watcher->removePaths(m_watcher->files());
    if (!m_watcher->directories().isEmpty())
        m_watcher->removePaths(m_watcher->directories());
    m_path = path;
    m_known = FileIdentity::stamp(path);
    if (path.isEmpty())
        return;
    m_watcher->addPath(QFileInfo(path).absolutePath());
    if (m_known.exists)
        m_watcher->addPath(path);
}

void DiskWatch::check()
{
    if (m_path.isEmpty())
        return;
    const FileIdentity::Stamp now = FileIdentity::stamp(m_path);
    // A file replaced or put back is a new inode the watcher does not follow yet.
    if (now.exists && !m_watcher->files().contains(m_path))
        m_watcher->addPath(m_path);
    if (now == m_known)
        return;
    m_known = now;
    if (now.exists)
        emit changedOnDisk();
    else
        emit goneFromDisk();
}
