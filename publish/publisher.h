#pragma once

#include "destination.h"
#include "publishitem.h"
#include "uploadresult.h"

#include <QList>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>

class SshSession;
class Transport;

// One publish of a catalogue's pages and pictures to a destination: prepare() reaches it and finds
// what differs, send() sends the pictures and then the pages, removeUnlinked() is a step of its own
// that only an explicit choice takes. Nothing on the destination is removed otherwise. The steps
// run synchronously (a window runs them on a thread of their own); cancel() may come from any thread.
class Publisher
{
public:
    using Progress = std::function<void(const PublishProgress &)>;

    // `pictureFolder` is the folder the pictures come from, which the destination must not be.
    Publisher(const Destination &destination, const QString &catalogueFolder, const QString &pictureFolder);
    ~Publisher();
    Publisher(const Publisher &) = delete;
    Publisher &operator=(const Publisher &) = delete;

    // Why `destination` cannot be published to at all, before anything is built or sent: it is no
    // destination, or the catalogue folder itself.
    static PublishError refusal(const Destination &destination, const QString &catalogueFolder,
                                const QString &pictureFolder);
    // Reaches the destination and compares `plan` (PublishPlan::make) with what it holds, by content.
    PublishError prepare(const QList<PublishItem> &plan);
    // The plan, each item marked new, changed or the same.
    const QList<PublishItem> &items() const { return m_items; }
    // What send() sends: the new and changed items, pictures first.
    QList<PublishItem> toSend() const;
    // Files under the destination's Thumbs/ that no page links; only these are ever removed.
    QStringList unlinked() const { return m_unlinked; }
    // "folder", "rsync" or "sftp", once prepared.
    QString method() const;

    // Sends the new and changed pictures, then, only when all of them are in place, the pages.
    UploadResult send(const Progress &progress = {});
    // Removes the unlinked files, and nothing else.
    UploadResult removeUnlinked();
    void cancel() { m_cancelled = true; }

private:
    UploadResult stopped(const PublishError &error, int pictures, int pages) const;

    Destination m_destination;
    QString m_catalogueFolder;
    QString m_pictureFolder;
    std::atomic<bool> m_cancelled{false};
    std::unique_ptr<SshSession> m_session;
    std::unique_ptr<Transport> m_transport;
    QList<PublishItem> m_items;
    QStringList m_unlinked;
};
