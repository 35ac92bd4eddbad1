#include "publisher.h"

#include "foldertransport.h"
#include "picturenames.h"
#include "rsynctransport.h"
#include "sftptransport.h"
#include "sshsession.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Publisher", text);
}

bool sameFolder(const QString &a, const QString &b)
{
    const QFileInfo left(a);
    const QFileInfo right(b);
    return left.exists() && right.exists() && left.canonicalFilePath() == right.canonicalFilePath();
}

} // namespace

Publisher::Publisher(const Destination &destination, const QString &catalogueFolder, const QString &pictureFolder)
    : m_destination(destination), m_catalogueFolder(catalogueFolder), m_pictureFolder(pictureFolder)
{}

Publisher::~Publisher() = default;

QString Publisher::method() const
{
    return m_transport ? m_transport->method() : QString();
}

PublishError Publisher::refusal(const Destination &destination, const QString &catalogueFolder,
                                const QString &pictureFolder)
{
    if (!destination.error.isEmpty())
        return {PublishFailure::InvalidDestination, destination.error};
    // Sending the catalogue folder's files onto themselves would only risk them.
    if (destination.kind == Destination::Kind::Folder
        && (sameFolder(destination.path, catalogueFolder)
            || sameFolder(QDir(destination.path).filePath(PictureNames::FolderName), pictureFolder)))
        return {PublishFailure::SameFolder,
                tr("The destination is the catalogue folder itself, or holds its pictures: %1. Publish to "
                   "another folder.")
                    .arg(destination.path)};
    return {};
}

PublishError Publisher::prepare(const QList<PublishItem> &plan)
{
    m_items = plan;
    m_unlinked.clear();
    if (PublishError refused = refusal(m_destination, m_catalogueFolder, m_pictureFolder); !refused.ok())
        return refused;
    if (m_destination.kind == Destination::Kind::Folder) {
        m_transport = std::make_unique<FolderTransport>(m_destination.path, m_cancelled);
        if (PublishError opened = m_transport->open(); !opened.ok())
            return opened;
    } else {
        m_session = std::make_unique<SshSession>(m_destination, m_cancelled);
        if (PublishError connected = m_session->connect(); !connected.ok())
            return connected;
        m_transport = std::make_unique<RsyncTransport>(*m_session, m_cancelled);
        PublishError opened = m_transport->open();
        if (opened.failure == PublishFailure::NoTransferTool) {
            m_transport = std::make_unique<SftpTransport>(*m_session, m_cancelled);
            opened = m_transport->open();
        }
        if (!opened.ok())
            return opened;
    }
    QStringList present;
    if (PublishError compared = m_transport->compare(m_items, present); !compared.ok())
        return compared;
    QSet<QString> linked;
    for (const PublishItem &item : std::as_const(m_items))
        linked.insert(item.name);
    for (const QString &name : std::as_const(present)) {
        if (PublishPlan::mayBeUnlinked(name) && !linked.contains(name))
            m_unlinked.append(name);
    }
    m_unlinked.sort();
    return {};
}

QList<PublishItem> Publisher::toSend() const
{
    QList<PublishItem> items;
    for (const PublishItem &item : m_items) {
        if (item.change != PublishItem::Change::Same)
            items.append(item);
    }
    return items;
}

UploadResult Publisher::stopped(const PublishError &error, int pictures, int pages) const
{
    UploadResult result;
    result.outcome =
        error.failure == PublishFailure::Cancelled ? UploadResult::Outcome::Cancelled : UploadResult::Outcome::Failed;
    result.error = error;
    result.method = method();
    result.picturesSent = pictures;
    result.pagesSent = pages;
    return result;
}

UploadResult Publisher::send(const Progress &progress)
{
    if (!m_transport)
        return stopped({PublishFailure::Other, tr("Nothing was prepared to send.")}, 0, 0);
    QList<PublishItem> pictures;
    QList<PublishItem> pages;
    PublishProgress done;
    for (const PublishItem &item : toSend()) {
        (item.isPage() ? pages : pictures).append(item);
        ++done.totalFiles;
        done.totalBytes += item.size;
    }
    UploadResult result;
    result.method = method();
    if (done.totalFiles == 0) {
        result.outcome = UploadResult::Outcome::NothingToSend;
        return result;
    }
    const auto step = [&](const QList<PublishItem> &items, int &count) {
        if (m_cancelled)
            return PublishError{PublishFailure::Cancelled, tr("Publishing was cancelled.")};
        if (progress && !items.isEmpty()) {
            done.current = items.first().name;
            progress(done);
        }
        return m_transport->send(items, [&](int index) {
            ++count;
            ++done.files;
            done.bytes += items.at(index).size;
            done.current = items.value(index + 1).name;
            if (progress)
                progress(done);
        });
    };
    // The pages go only once every picture they link is in place, so that the site never links a
    // picture that is not there yet; a failure before them leaves the old pages.
    if (const PublishError failed = step(pictures, result.picturesSent); !failed.ok())
        return stopped(failed, result.picturesSent, 0);
    if (const PublishError failed = step(pages, result.pagesSent); !failed.ok())
        return stopped(failed, result.picturesSent, result.pagesSent);
    return result;
}

UploadResult Publisher::removeUnlinked()
{
    UploadResult result;
    result.method = method();
    if (m_unlinked.isEmpty()) {
        result.outcome = UploadResult::Outcome::NothingToSend;
        return result;
    }
    if (const PublishError failed = m_transport->remove(m_unlinked); !failed.ok())
        return stopped(failed, 0, 0);
    result.removed = m_unlinked;
    m_unlinked.clear();
    return result;
}
