#include "foldertransport.h"

#include "fileerrors.h"
#include "picturenames.h"
#include "plainfile.h"
#include "safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("FolderTransport", text);
}

// Whether the two files hold the same bytes; a file that cannot be read differs.
bool sameContent(QFile &a, QFile &b)
{
    constexpr qint64 Block = 1 << 16;
    if (a.size() != b.size())
        return false;
    while (!a.atEnd()) {
        const QByteArray left = a.read(Block);
        if (left.isEmpty() || left != b.read(Block))
            return false;
    }
    return true;
}

PublishError writeFailure(const QString &name, const QString &reason)
{
    const bool full = reason.contains(QString::fromLocal8Bit(std::strerror(ENOSPC)));
    return {full ? PublishFailure::DiskFull : PublishFailure::NotWritable,
            (full ? tr("The destination is full: %1 could not be written (%2).")
                  : tr("%1 could not be written in the destination: %2"))
                .arg(name, reason)};
}

} // namespace

FolderTransport::FolderTransport(const QString &folder, const std::atomic<bool> &cancelled)
    : Transport(cancelled), m_folder(folder)
{}

PublishError FolderTransport::open()
{
    const QFileInfo info(m_folder);
    if (!info.exists())
        return {PublishFailure::PathMissing, tr("The destination folder %1 does not exist.").arg(m_folder)};
    if (!info.isDir())
        return {PublishFailure::PathMissing, tr("The destination %1 is not a folder.").arg(m_folder)};
    // EROFS as well as permissions: a read-only mount is told as such, even to root.
    if (::access(QFile::encodeName(m_folder).constData(), W_OK | X_OK) != 0)
        return {
            PublishFailure::NotWritable,
            tr("The destination folder %1 cannot be written: %2").arg(m_folder, FileErrors::reason(errno, m_folder))};
    return {};
}

PublishError FolderTransport::compare(QList<PublishItem> &items, QStringList &present)
{
    const QDir folder(m_folder);
    for (PublishItem &item : items) {
        if (cancelled())
            return {PublishFailure::Cancelled, QString()};
        QFile source(item.source);
        PlainFile target(folder.filePath(item.name));
        if (!source.open(QIODevice::ReadOnly))
            return {PublishFailure::LocalFile, tr("%1 could not be read: %2").arg(item.source, source.errorString())};
        if (!target.open())
            item.change =
                QFileInfo::exists(folder.filePath(item.name)) ? PublishItem::Change::Changed : PublishItem::Change::New;
        else
            item.change = sameContent(source, target.file()) ? PublishItem::Change::Same : PublishItem::Change::Changed;
    }
    const QString pictures = PictureNames::FolderName + QLatin1Char('/');
    const QFileInfoList files =
        QDir(folder.filePath(PictureNames::FolderName)).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &file : files) {
        if (!file.isSymLink())
            present.append(pictures + file.fileName());
    }
    return {};
}

PublishError FolderTransport::roomFor(const QString &folder, qint64 bytes)
{
    const QStorageInfo storage(folder);
    // The old file stays until the new one is whole beside it: the new bytes need room of their own.
    if (storage.isValid() && storage.bytesAvailable() >= 0 && storage.bytesAvailable() < bytes)
        return {PublishFailure::DiskFull,
                tr("The destination is full: %1 bytes are to be sent and %2 are free.")
                    .arg(QString::number(bytes), QString::number(storage.bytesAvailable()))};
    return {};
}

PublishError FolderTransport::send(const QList<PublishItem> &items, const Sent &sent)
{
    qint64 bytes = 0;
    for (const PublishItem &item : items)
        bytes += item.size;
    if (PublishError full = roomFor(m_folder, bytes); !full.ok())
        return full;
    const QDir folder(m_folder);
    const QString pictures = folder.filePath(PictureNames::FolderName);
    // The folders are flushed once, after their files and before any of them is reported sent: the
    // pages then never reach the disk before their pictures.
    QSet<QString> written;
    const auto flush = [&] {
        for (const QString &path : std::as_const(written)) {
            if (const QString failed = SafeFile::flushFolder(path); !failed.isEmpty())
                return writeFailure(path, failed);
        }
        return PublishError{};
    };
    QList<int> done;
    const auto report = [&] {
        PublishError flushed = flush();
        if (flushed.ok()) {
            for (const int index : std::as_const(done))
                sent(index);
        }
        return flushed;
    };
    for (int i = 0; i < items.size(); ++i) {
        if (cancelled()) {
            report();
            return {PublishFailure::Cancelled, QString()};
        }
        const PublishItem &item = items.at(i);
        if (!item.isPage() && !QFileInfo::exists(pictures)) {
            if (!folder.mkdir(PictureNames::FolderName))
                return writeFailure(PictureNames::FolderName, FileErrors::reason(errno, pictures));
            if (const QString failed = SafeFile::flushFolder(m_folder); !failed.isEmpty())
                return writeFailure(PictureNames::FolderName, failed);
        }
        QFile source(item.source);
        if (!source.open(QIODevice::ReadOnly))
            return {PublishFailure::LocalFile, tr("%1 could not be read: %2").arg(item.source, source.errorString())};
        SafeFile target(folder.filePath(item.name));
        target.deferFolderFlush();
        if (!target.open()) {
            report();
            return writeFailure(item.name, target.errorString());
        }
        bool whole = true;
        while (whole && !source.atEnd()) {
            const QByteArray block = source.read(1 << 20);
            whole = !block.isEmpty() && target.device().write(block) == block.size();
        }
        if (!target.commit(whole)) {
            report();
            // The safe replace names the file that could not be written whole; the disk says why.
            if (PublishError full = roomFor(m_folder, item.size); !full.ok())
                return full;
            return writeFailure(item.name, target.errorString());
        }
        written.insert(QFileInfo(target.target()).path());
        done.append(i);
        // Progress in steps of a hundred pictures, each step on disk before it is told.
        if (done.size() >= 100) {
            if (PublishError flushed = report(); !flushed.ok())
                return flushed;
            done.clear();
            written.clear();
        }
    }
    return report();
}

PublishError FolderTransport::remove(const QStringList &names)
{
    const QDir folder(m_folder);
    for (const QString &name : names) {
        const QByteArray path = QFile::encodeName(folder.filePath(name));
        if (::unlink(path.constData()) != 0 && errno != ENOENT)
            return writeFailure(name, FileErrors::reason(errno, folder.filePath(name)));
    }
    if (const QString failed = SafeFile::flushFolder(folder.filePath(PictureNames::FolderName)); !failed.isEmpty())
        return writeFailure(PictureNames::FolderName, failed);
    return {};
}
