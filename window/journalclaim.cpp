#include "journalclaim.h"

#include <QtGlobal>

#ifdef Q_OS_LINUX

#include <algorithm>
#include <cstddef>
#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// A name in the abstract socket namespace, which the kernel frees when the process ends: nothing is
// written to disk, and no stale lock is left by a kill or a power cut.
bool JournalClaim::claim(const QString &name)
{
    release();
    const QByteArray id = "project-catalogue/" + QByteArray::number(::getuid()) + '/' + name.toUtf8();
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const size_t length = std::min(size_t(id.size()), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, id.constData(), length);
    m_socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const auto size = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + length);
    if (m_socket >= 0 && ::bind(m_socket, reinterpret_cast<const sockaddr *>(&address), size) == 0)
        return true;
    // Without sockets at all, the window keeps its journal as if it were alone.
    const bool taken = m_socket >= 0;
    release();
    return !taken;
}

void JournalClaim::release()
{
    if (m_socket >= 0)
        ::close(m_socket);
    m_socket = -1;
}

#else

bool JournalClaim::claim(const QString &)
{
    return true;
}

void JournalClaim::release() {}

#endif
