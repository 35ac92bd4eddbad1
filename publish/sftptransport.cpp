#include "sftptransport.h"

#include "picturenames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SftpTransport", text);
}

const QString Upload = QStringLiteral(".project-catalogue-upload");

QString folderOf(const QString &name)
{
    const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : name.left(slash + 1);
}

bool sameBytes(const QString &a, const QString &b)
{
    QFile left(a);
    QFile right(b);
    return left.open(QIODevice::ReadOnly) && right.open(QIODevice::ReadOnly) && left.size() == right.size()
        && left.readAll() == right.readAll();
}

} // namespace

SftpTransport::SftpTransport(SshSession &session, const std::atomic<bool> &cancelled)
    : Transport(cancelled), m_session(session)
{}

QString SftpTransport::quoted(const QString &name)
{
    if (name.contains(QLatin1Char('\n')) || name.contains(QLatin1Char('\r')))
        return QString();
    QString text = name;
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

SshSession::Run SftpTransport::batch(const QStringList &commands, const SshSession::Line &line) const
{
    // Batch mode stops at the first command that fails, unless it starts with "-".
    QStringList all;
    if (m_session.destination().remotePath() != QLatin1String("."))
        all << QStringLiteral("cd ") + quoted(m_session.destination().remotePath());
    all += commands;
    // sftp echoes each command as it starts it, but holds its output back in a pipe: line by line,
    // the echoes tell how far a transfer has come.
    static const QString lineBuffered = QStandardPaths::findExecutable(QStringLiteral("stdbuf"));
    const QStringList arguments = QStringList{QStringLiteral("-b"), QStringLiteral("-")} + m_session.sftpArguments();
    return m_session.run(
        lineBuffered.isEmpty() ? QStringLiteral("sftp") : lineBuffered,
        lineBuffered.isEmpty() ? arguments : QStringList{QStringLiteral("-oL"), QStringLiteral("sftp")} + arguments,
        (all.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8(), line);
}

PublishError SftpTransport::failure(const SshSession::Run &run, const QString &what, qint64 bytes) const
{
    const QString err = QString::fromUtf8(run.err);
    const QString destination = m_session.destination().text();
    if (run.cancelled || !m_session.alive())
        return m_session.failure(run, what);
    if (!run.cancelled
        && (err.contains(QLatin1String("Can't change directory")) || err.contains(QLatin1String("No such file"))))
        return {PublishFailure::PathMissing, tr("The destination folder %1 does not exist.").arg(destination)};
    // sftp-server says "Failure" for every error without a code of its own: a full disk, a
    // read-only file system.
    if (err.contains(QLatin1String(": Failure"))) {
        if (m_free >= 0 && bytes > m_free / 2)
            return {PublishFailure::DiskFull,
                    tr("The disk of %1 is full: %2 stopped.").arg(m_session.destination().host, what)};
        return {
            PublishFailure::NotWritable,
            tr("The destination %1 cannot be written (a read-only or full disk): %2 stopped.").arg(destination, what)};
    }
    return m_session.failure(run, what);
}

PublishError SftpTransport::open()
{
    if (!m_local.isValid())
        return {PublishFailure::Other, tr("No temporary folder could be made: %1").arg(m_local.errorString())};
    const SshSession::Run run = batch({QStringLiteral("df")});
    if (run.exitCode != 0) {
        if (run.err.contains("subsystem request failed")
            || (m_session.alive() && run.err.contains("Connection closed")))
            return {PublishFailure::NoTransferTool,
                    tr("%1 has neither rsync nor sftp: nothing can be sent to it.").arg(m_session.destination().host)};
        return failure(run, tr("looking at the destination"));
    }
    static const QRegularExpression row(QStringLiteral("^\\s*(\\d+)\\s+(\\d+)\\s+(\\d+)\\s"));
    for (const QByteArray &line : run.out.split('\n')) {
        const QRegularExpressionMatch match = row.match(QString::fromUtf8(line));
        if (match.hasMatch())
            m_free = match.captured(3).toLongLong() * 1024;
    }
    return {};
}

PublishError SftpTransport::compare(QList<PublishItem> &items, QStringList &present)
{
    QStringList listing{QStringLiteral("-ls -la ") + PictureNames::FolderName};
    for (const PublishItem &item : std::as_const(items)) {
        if (item.isPage())
            listing << QStringLiteral("-ls -l ") + quoted(item.name);
        if (quoted(item.name).isEmpty())
            return {PublishFailure::LocalFile,
                    tr("%1 cannot be named over sftp: it holds a line break.").arg(item.name)};
    }
    const SshSession::Run listed = batch(listing);
    if (listed.exitCode != 0)
        return failure(listed, tr("listing the destination"));
    // perms links owner group size month day time-or-year name
    static const QRegularExpression entry(
        QStringLiteral("^-\\S+\\s+\\S+\\s+\\S+\\s+\\S+\\s+(\\d+)\\s+\\S+\\s+\\S+\\s+\\S+ (.*)$"));
    QHash<QString, qint64> sizes;
    for (const QByteArray &line : listed.out.split('\n')) {
        const QRegularExpressionMatch match = entry.match(QString::fromUtf8(line));
        if (!match.hasMatch())
            continue;
        sizes.insert(match.captured(2), match.captured(1).toLongLong());
        if (PublishPlan::mayBeUnlinked(match.captured(2)))
            present.append(match.captured(2));
    }

    // A file of the same size is fetched and compared: sftp has no way to hash it on the host.
    QStringList fetch;
    for (qsizetype i = 0; i < items.size(); ++i) {
        PublishItem &item = items[i];
        const auto size = sizes.constFind(item.name);
        item.change = size == sizes.cend() ? PublishItem::Change::New : PublishItem::Change::Changed;
        if (size != sizes.cend() && *size == item.size)
            fetch << QStringLiteral("-get %1 %2").arg(quoted(item.name), quoted(m_local.filePath(QString::number(i))));
    }
    if (fetch.isEmpty())
        return {};
    const SshSession::Run fetched = batch(fetch);
    if (fetched.exitCode != 0)
        return failure(fetched, tr("comparing with the destination"));
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString copy = m_local.filePath(QString::number(i));
        if (QFile::exists(copy) && sameBytes(items.at(i).source, copy))
            items[i].change = PublishItem::Change::Same;
        QFile::remove(copy);
    }
    return {};
}

PublishError SftpTransport::send(const QList<PublishItem> &items, const Sent &sent)
{
    qint64 bytes = 0;
    QStringList commands;
    bool pictures = false;
    for (int i = 0; i < items.size(); ++i) {
        const PublishItem &item = items.at(i);
        bytes += item.size;
        pictures = pictures || !item.isPage();
        // The local name is a link of our own making: sftp reads a local name as a pattern.
        const QString local = m_local.filePath(QStringLiteral("send%1").arg(i));
        QFile::remove(local);
        if (!QFile::link(item.source, local))
            return {PublishFailure::LocalFile, tr("%1 could not be prepared for sending.").arg(item.source)};
        const QString upload = quoted(folderOf(item.name) + Upload);
        commands << QStringLiteral("put %1 %2").arg(quoted(local), upload)
                 << QStringLiteral("rename %1 %2").arg(upload, quoted(item.name));
    }
    if (m_free >= 0 && bytes > m_free)
        return {PublishFailure::DiskFull,
                tr("The disk of %1 is full: %2 bytes are to be sent and %3 are free.")
                    .arg(m_session.destination().host, QString::number(bytes), QString::number(m_free))};
    if (pictures)
        commands.prepend(QStringLiteral("-mkdir ") + PictureNames::FolderName);
    // sftp echoes each command before it runs it: a file is in place once the command after its
    // rename is echoed, and all of them once sftp ends well.
    int renamed = 0;
    bool pendingRename = false;
    const SshSession::Run run = batch(commands, [&](const QByteArray &line) {
        if (pendingRename) {
            sent(renamed++);
            pendingRename = false;
        }
        pendingRename = line.startsWith("sftp> rename ");
    });
    if (run.exitCode != 0 || run.cancelled) {
        const QStringList uploads{Upload, PictureNames::FolderName + QLatin1Char('/') + Upload};
        // What a stopped upload left, when the connection still stands.
        if (m_session.alive())
            batch({QStringLiteral("-rm ") + quoted(uploads.at(0)), QStringLiteral("-rm ") + quoted(uploads.at(1))});
        return failure(run, tr("sending"), bytes);
    }
    if (pendingRename)
        sent(renamed);
    return {};
}

PublishError SftpTransport::remove(const QStringList &names)
{
    QStringList commands;
    for (const QString &name : names) {
        if (quoted(name).isEmpty())
            return {PublishFailure::Other, tr("%1 cannot be named over sftp: it holds a line break.").arg(name)};
        commands << QStringLiteral("rm ") + quoted(name);
    }
    const SshSession::Run run = batch(commands);
    if (run.exitCode != 0)
        return failure(run, tr("removing unlinked files"));
    return {};
}
