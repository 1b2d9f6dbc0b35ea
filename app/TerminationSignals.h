#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// SIGTERM and SIGHUP (a logout, a closed terminal, a system shutting down) end the
// program, but first `keep` runs on the event loop, where it may write files: the
// handler itself only writes the signal's number into a pipe, which is all a
// signal handler may safely do. The program then ends by the same signal, so
// whoever sent it sees it obeyed.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    TerminationSignals(std::function<void()> keep, QObject* parent);
    ~TerminationSignals() override;

private:
    void endBySignal();

    std::function<void()> m_keep;
    QSocketNotifier* m_notifier = nullptr;
    int m_pipe[2] = {-1, -1};  // the handler writes into [1], the event loop reads [0]
};
