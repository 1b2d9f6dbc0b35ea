#include "app/TerminationSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// The write end of the newest handler's pipe; -1 when none is installed.
volatile sig_atomic_t g_writeEnd = -1;

extern "C" void onTerminationSignal(int number)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    // A full pipe already holds a signal that will end the program.
    [[maybe_unused]] const ssize_t n = ::write(g_writeEnd, &byte, 1);
    errno = saved;
}
}

TerminationSignals::TerminationSignals(std::function<void()> keep, QObject* parent)
    : QObject(parent), m_keep(std::move(keep))
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, m_pipe) != 0)
        return;
    g_writeEnd = m_pipe[1];
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::endBySignal);
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    if (m_pipe[1] < 0)
        return;
    if (g_writeEnd == m_pipe[1]) {
        ::signal(SIGTERM, SIG_DFL);
        ::signal(SIGHUP, SIG_DFL);
        g_writeEnd = -1;
    }
    delete m_notifier;
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void TerminationSignals::endBySignal()
{
    unsigned char number = SIGTERM;
    if (::read(m_pipe[0], &number, 1) != 1)
        return;
    if (m_keep)
        m_keep();
    // No questions, no closing of windows: the player is leaving, and the kept text
    // is what the next start offers.
    ::signal(number, SIG_DFL);
    ::raise(number);
}
