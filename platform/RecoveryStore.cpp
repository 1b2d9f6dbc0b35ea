#include "platform/RecoveryStore.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

#include <algorithm>

#include <signal.h>
#include <unistd.h>

namespace {
// The first line marks the file as ours; the second holds the script's path.
const QByteArray kMagic = "Zandrel recovery 1\n";
const QString kSuffix = QStringLiteral(".recovery");

QAtomicInt nextNumber;

// A run ends with its process; a process id taken since by another program is not
// ours. /proc names the program each process runs.
bool runIsAlive(qint64 pid)
{
    if (pid == QCoreApplication::applicationPid())
        return true;
    if (pid <= 0 || ::kill(pid_t(pid), 0) != 0)
        return false;
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    QFile own(QStringLiteral("/proc/self/comm"));
    return comm.open(QIODevice::ReadOnly) && own.open(QIODevice::ReadOnly) && comm.readAll() == own.readAll();
}
}

QString RecoveryStore::folder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/zandrel/recovery");
}

QString RecoveryStore::newRecoveryFile()
{
    return folder() + QStringLiteral("/%1-%2").arg(QCoreApplication::applicationPid()).arg(nextNumber.fetchAndAddRelaxed(1) + 1) +
           kSuffix;
}

IoResult RecoveryStore::write(const QString& recoveryFile, const QString& scriptFile, const QString& text)
{
    if (!QDir().mkpath(QFileInfo(recoveryFile).path()))
        return IoResult::failure(QFileDevice::OpenError, QStringLiteral("Cannot create the recovery folder"));
    QSaveFile file(recoveryFile);
    if (!file.open(QIODevice::WriteOnly))
        return IoResult::failure(file.error(), file.errorString());
    // Only the player may read what they typed.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    file.write(kMagic);
    file.write(QUrl::toPercentEncoding(scriptFile, "/"));
    file.write("\n");
    file.write(text.toUtf8());
    if (!file.commit())
        return IoResult::failure(file.error(), file.errorString());
    return IoResult::success();
}

QString RecoveryStore::adopt(const QString& recoveryFile)
{
    const QString mine = newRecoveryFile();
    return QFile::rename(recoveryFile, mine) ? mine : recoveryFile;
}

bool RecoveryStore::read(const QString& recoveryFile, Entry& entry)
{
    QFile file(recoveryFile);
    if (!QFileInfo(recoveryFile).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    if (file.readLine(kMagic.size() + 1) != kMagic)
        return false;
    QByteArray name = file.readLine();
    if (!name.endsWith('\n'))
        return false;
    name.chop(1);
    entry.recoveryFile = recoveryFile;
    entry.scriptFile = QUrl::fromPercentEncoding(name);
    entry.text = QString::fromUtf8(file.readAll());
    entry.changed = QFileInfo(recoveryFile).lastModified();
    return true;
}

QList<RecoveryStore::Entry> RecoveryStore::leftBehind()
{
    QList<Entry> entries;
    const QDir dir(folder());
    for (const QFileInfo& info : dir.entryInfoList({QStringLiteral("*") + kSuffix}, QDir::Files, QDir::Time | QDir::Reversed)) {
        if (runIsAlive(info.fileName().section(u'-', 0, 0).toLongLong()))
            continue;
        Entry entry;
        if (read(info.filePath(), entry))
            entries.append(entry);
    }
    return entries;
}
