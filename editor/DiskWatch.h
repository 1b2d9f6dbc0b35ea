#pragma once

#include "platform/FileIdentity.h"

#include <QObject>
#include <QString>

class QFileSystemWatcher;

// Watches the file of one script window, so another program's change to it is
// noticed rather than overwritten by the next Save. The window tells it each time
// it has read or written the file itself; only what differs from that is reported.
class DiskWatch : public QObject {
    Q_OBJECT
public:
    explicit DiskWatch(QObject* parent = nullptr);

    // Watch `path` (empty: nothing) as the window has just read or written it.
    void follow(const QString& path);
    // Takes the file as it is on disk now as the window's own version (the player
    // chose to keep their text over another program's change).
    void acceptDiskVersion() { m_known = FileIdentity::stamp(m_path); }

public slots:
    // Compares the file with the version the window knows, and reports a change;
    // the watcher calls it, and tests call it directly.
    void check();

signals:
    void changedOnDisk();
    void goneFromDisk();

private:
    QFileSystemWatcher* const m_watcher;
    QString m_path;
    FileIdentity::Stamp m_known;
};
