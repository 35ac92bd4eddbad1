#pragma once

#include "sshsession.h"
#include "transport.h"

#include <QTemporaryDir>

// A host without rsync (or with sftp alone, as many web hosts allow): OpenSSH's sftp in batch mode
// over the shared connection. sftp cannot hash a file on the host, so a file of the same size is
// fetched and compared here; each file is uploaded to a temporary name beside its place and renamed
// over the old one only when whole.
class SftpTransport : public Transport
{
public:
    SftpTransport(SshSession &session, const std::atomic<bool> &cancelled);

    QString method() const override { return QStringLiteral("sftp"); }
    PublishError open() override;
    PublishError compare(QList<PublishItem> &items, QStringList &present) override;
    PublishError send(const QList<PublishItem> &items, const Sent &sent) override;
    PublishError remove(const QStringList &names) override;

    // A name as sftp's batch syntax takes it: in double quotes, with backslashes and quotes escaped.
    // Empty for a name no batch line can hold (a line break).
    static QString quoted(const QString &name);

private:
    SshSession::Run batch(const QStringList &commands, const SshSession::Line &line = {}) const;
    PublishError failure(const SshSession::Run &run, const QString &what, qint64 bytes = 0) const;

    SshSession &m_session;
    QTemporaryDir m_local;
    qint64 m_free = -1;
};
