#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QTimer;

// Keeps the unsaved text of one script window in a recovery file: written a couple
// of seconds after a change (at most that much typing is lost to a crash or a
// kill), at once when the program is told to end, and removed when the window is
// saved, discarded or closed.
class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    // What to keep: the script's file name (or none) and its text.
    struct Snapshot {
        QString scriptFile;
        QString text;
    };
    RecoveryKeeper(std::function<Snapshot()> snapshot, QObject* parent);
    ~RecoveryKeeper() override;

    // How long after a change the text is written.
    static constexpr int kDelayMs = 2000;

    // The text changed: it is written within kDelayMs, counted from the first change
    // not yet written, so steady typing is kept too.
    void noteChange();
    // Nothing left to keep (saved, discarded, closed).
    void forget();
    // Writes now if a change is waiting (the program is being ended).
    void writeNow();
    // Takes over a file left by an earlier run, whose text the window now holds.
    void adopt(const QString& recoveryFile);
    QString recoveryFile() const { return m_file; }

private:
    std::function<Snapshot()> m_snapshot;
    QTimer* const m_timer;
    QString m_file;  // empty until first written
    bool m_pending = false;
};
