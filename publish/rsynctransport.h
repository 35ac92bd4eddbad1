#pragma once

#include "sshsession.h"
#include "transport.h"

#include <QHash>
#include <QTemporaryDir>

// A host with rsync: rsync over the shared SSH connection compares by checksums (--checksum) and
// writes each file to a temporary name beside it, renaming it only when whole, as it does by default.
class RsyncTransport : public Transport
{
public:
    RsyncTransport(SshSession &session, const std::atomic<bool> &cancelled);

    QString method() const override { return QStringLiteral("rsync"); }
    // Also finds whether the host has rsync at all: NoTransferTool when it has not.
    PublishError open() override;
    PublishError compare(QList<PublishItem> &items, QStringList &present) override;
    PublishError send(const QList<PublishItem> &items, const Sent &sent) override;
    PublishError remove(const QStringList &names) override;

    // rsync's own escapes in the names it prints (\#ooo) undone.
    static QString unescapedName(const QByteArray &printed);

private:
    QStringList rsyncOptions() const;
    QString remote(const QString &path = QString()) const;
    bool stage(const QList<PublishItem> &items, QString &error);

    SshSession &m_session;
    QTemporaryDir m_staging;
    qint64 m_free = -1; // bytes free in the destination, -1 when unknown
    QStringList m_present; // the destination's pictures folder, as open() found it
};
