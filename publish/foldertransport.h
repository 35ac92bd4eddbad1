#pragma once

#include "transport.h"

// A folder: a mounted share, ~/public_html, a checkout. Every file goes through the guarded durable
// replace, as projects.txt does.
class FolderTransport : public Transport
{
public:
    FolderTransport(const QString &folder, const std::atomic<bool> &cancelled);

    QString method() const override { return QStringLiteral("folder"); }
    PublishError open() override;
    PublishError compare(QList<PublishItem> &items, QStringList &present) override;
    PublishError send(const QList<PublishItem> &items, const Sent &sent) override;
    PublishError remove(const QStringList &names) override;

    // The free space a send needs, checked before anything is written.
    static PublishError roomFor(const QString &folder, qint64 bytes);

private:
    QString m_folder;
};
