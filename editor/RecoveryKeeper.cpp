#include "editor/RecoveryKeeper.h"

#include "platform/RecoveryStore.h"

#include <QFile>
#include <QTimer>

RecoveryKeeper::RecoveryKeeper(std::function<Snapshot()> snapshot, QObject* parent)
    : QObject(parent), m_snapshot(std::move(snapshot)), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setInterval(kDelayMs);
    connect(m_timer, &QTimer::timeout, this, &RecoveryKeeper::writeNow);
}

// A window destroyed without closing (the program ended by a signal) leaves its
// file for the next start.
RecoveryKeeper::~RecoveryKeeper() = default;

void RecoveryKeeper::noteChange()
{
    m_pending = true;
    if (!m_timer->isActive())
        m_timer->start();
}

void RecoveryKeeper::forget()
{
    m_timer->stop();
    m_pending = false;
    if (!m_file.isEmpty())
        QFile::remove(m_file);
    m_file.clear();
}

void RecoveryKeeper::writeNow()
{
    m_timer->stop();
    if (!m_pending)
        return;
    if (m_file.isEmpty())
        m_file = RecoveryStore::newRecoveryFile();
    const Snapshot now = m_snapshot();
    // A failed write is tried again at the next change; it must not interrupt the
    // player, whose file itself is untouched.
    m_pending = !RecoveryStore::write(m_file, now.scriptFile, now.text).ok();
}

void RecoveryKeeper::adopt(const QString& recoveryFile)
{
    m_file = RecoveryStore::adopt(recoveryFile);
    m_pending = true;
    writeNow();
}
