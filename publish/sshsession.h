#pragma once

#include "destination.h"
#include "uploadresult.h"

#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <atomic>
#include <functional>
#include <memory>

// One SSH connection to a host, made by the system's OpenSSH client and shared by every ssh, rsync
// and sftp run of a publish (a control master), so that a password or a host key is asked once.
// Authentication is ssh's own: keys, the agent, ~/.ssh/config, and prompts on the terminal or
// through SSH_ASKPASS. PROJECT_CATALOGUE_SSH_CONFIG names an ssh_config file to use instead of
// ~/.ssh/config.
class SshSession
{
public:
    struct Run
    {
        int exitCode = -1;
        bool cancelled = false;
        QByteArray out;
        QByteArray err;
    };
    using Line = std::function<void(const QByteArray &line)>;

    SshSession(const Destination &destination, const std::atomic<bool> &cancelled);
    ~SshSession();
    SshSession(const SshSession &) = delete;
    SshSession &operator=(const SshSession &) = delete;

    // Connects, asking for what ssh asks for; the failure says why in the user's words.
    PublishError connect();
    // ssh's options that reach the host through this connection (without the host).
    QStringList sshOptions() const;
    // The same for sftp, whose options differ (-P for the port), followed by the host.
    QStringList sftpArguments() const;
    // Runs a program (ssh, rsync, sftp) with arguments, never through a shell, feeding it `input`
    // and handing each line of its output to `line`; a cancel ends it.
    Run run(const QString &program, const QStringList &arguments, const QByteArray &input = {},
            const Line &line = {}) const;
    // What a failed run of ssh, rsync or sftp means, from what it printed.
    PublishError failure(const Run &run, const QString &what) const;
    // Whether the connection still stands.
    bool alive() const;

    const Destination &destination() const { return m_destination; }

private:
    QStringList configOptions() const;

    Destination m_destination;
    const std::atomic<bool> &m_cancelled;
    QTemporaryDir m_socketFolder;
    QString m_socket;
    std::unique_ptr<QProcess> m_master;
    bool m_connected = false;
};
