#pragma once

#include <csignal>

#include <sys/resource.h>

// Files this process writes may not grow past `bytes` while it lives, as on a full disk: the write
// that would fails with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limited = m_previous;
        limited.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool active() const { return m_active; }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
    bool m_active = false;
};

// No process or thread beyond those the user already has (root is exempt) while it lives. It must
// be lifted before the process ends: the leak checker of sanitizer builds needs a thread then.
class ThreadLimit
{
public:
    ThreadLimit()
    {
        getrlimit(RLIMIT_NPROC, &m_previous);
        const rlimit one{1, m_previous.rlim_max};
        m_active = setrlimit(RLIMIT_NPROC, &one) == 0;
    }
    ~ThreadLimit()
    {
        if (m_active)
            setrlimit(RLIMIT_NPROC, &m_previous);
    }
    ThreadLimit(const ThreadLimit &) = delete;
    ThreadLimit &operator=(const ThreadLimit &) = delete;

private:
    rlimit m_previous{};
    bool m_active = false;
};
