#include "endsignals.h"

#ifdef Q_OS_UNIX

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int Handled[] = {SIGTERM, SIGHUP, SIGINT};
int g_sockets[2] = {-1, -1};

void noteSignal(int signal)
{
    const int saved = errno;
    const char number = char(signal);
    // A full socket already holds a signal to act on.
    [[maybe_unused]] const ssize_t written = ::write(g_sockets[0], &number, 1);
    errno = saved;
}

} // namespace

EndSignals::EndSignals(QObject *parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_sockets) != 0) {
        qWarning("cannot watch for the signals that end the program");
        return;
    }
    m_notifier = new QSocketNotifier(g_sockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EndSignals::readSignal);
    struct sigaction action = {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : Handled)
        ::sigaction(signal, &action, nullptr);
}

EndSignals::~EndSignals()
{
    if (!m_notifier)
        return;
    for (const int signal : Handled)
        std::signal(signal, SIG_DFL);
    delete m_notifier;
    ::close(g_sockets[0]);
    ::close(g_sockets[1]);
    g_sockets[0] = g_sockets[1] = -1;
}

void EndSignals::readSignal()
{
    char number = 0;
    while (::read(g_sockets[1], &number, 1) == 1)
        m_received = static_cast<unsigned char>(number);
    if (m_received != 0)
        emit ending(m_received);
}

#else

EndSignals::EndSignals(QObject *parent) : QObject(parent) {}
EndSignals::~EndSignals() = default;
void EndSignals::readSignal() {}

#endif
