#include "rsynctransport.h"

#include "picturenames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("RsyncTransport", text);
}

// One argument of rsync's -e command, which rsync splits at blanks outside quotes.
QString rsyncShellWord(const QString &word)
{
    if (!word.contains(QLatin1Char('\'')))
        return QLatin1Char('\'') + word + QLatin1Char('\'');
    return QLatin1Char('"') + word + QLatin1Char('"');
}

// A word for the host's POSIX shell, which runs the command ssh hands it.
QString shellWord(const QString &word)
{
    QString quoted = word;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QByteArray nulList(const QStringList &names)
{
    QByteArray list;
    for (const QString &name : names)
        list += name.toUtf8() + '\0';
    return list;
}

} // namespace

RsyncTransport::RsyncTransport(SshSession &session, const std::atomic<bool> &cancelled)
    : Transport(cancelled), m_session(session)
{}

QString RsyncTransport::unescapedName(const QByteArray &printed)
{
    QByteArray name;
    for (qsizetype i = 0; i < printed.size(); ++i) {
        bool ok = false;
        const int code = printed.mid(i + 2, 3).toInt(&ok, 8);
        if (printed.at(i) == '\\' && printed.mid(i + 1, 1) == "#" && ok && i + 4 < printed.size()) {
            name += char(code);
            i += 4;
        } else {
            name += printed.at(i);
        }
    }
    return QString::fromUtf8(name);
}

QStringList RsyncTransport::rsyncOptions() const
{
    QStringList command{QStringLiteral("ssh")};
    for (const QString &option : m_session.sshOptions())
        command << rsyncShellWord(option);
    // -s: names reach the host's rsync as they are, never through its shell; -8: printed as they are.
    return {QStringLiteral("-s"), QStringLiteral("-8"), QStringLiteral("-e"), command.join(QLatin1Char(' '))};
}

QString RsyncTransport::remote(const QString &path) const
{
    QString folder = m_session.destination().remotePath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    const QString host = m_session.destination().host;
    const QString login =
        m_session.destination().user.isEmpty() ? host : m_session.destination().user + QLatin1Char('@') + host;
    return login + QLatin1Char(':') + folder + path;
}

PublishError RsyncTransport::open()
{
    const QString script =
        QStringLiteral(
            "cd -- %1 2>/dev/null || { echo PC-MISSING; exit 0; }; test -w . || { echo PC-READONLY; exit 0; }; "
            "command -v rsync >/dev/null 2>&1 && echo PC-RSYNC || echo PC-NORSYNC; df -Pk . | tail -n 1; "
            // The files that may be unlinked, in the same session: each one costs a login.
            "printf 'PC-LIST\\0'; for f in Thumbs/* Thumbs/.[!.]* Thumbs/..?*; do "
            "if [ -f \"$f\" ] && [ ! -h \"$f\" ]; then printf '%s\\0' \"$f\"; fi; done")
            .arg(shellWord(m_session.destination().remotePath()));
    const SshSession::Run run =
        m_session.run(QStringLiteral("ssh"),
                      m_session.sshOptions() << QStringLiteral("--") << m_session.destination().host << script);
    if (run.cancelled || !m_session.alive())
        return m_session.failure(run, tr("looking at the destination"));
    const QString destination = m_session.destination().text();
    if (run.out.startsWith("PC-MISSING"))
        return {PublishFailure::PathMissing, tr("The destination folder %1 does not exist.").arg(destination)};
    if (run.out.startsWith("PC-READONLY"))
        return {PublishFailure::NotWritable, tr("The destination folder %1 cannot be written.").arg(destination)};
    if (!run.out.startsWith("PC-RSYNC"))
        return {PublishFailure::NoTransferTool, tr("%1 has no rsync.").arg(m_session.destination().host)};
    const QStringList df =
        QString::fromUtf8(run.out).section(QLatin1Char('\n'), 1, 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    bool ok = false;
    const qint64 kilobytes = df.value(3).toLongLong(&ok);
    m_free = ok ? kilobytes * 1024 : -1;
    const qsizetype list = run.out.indexOf(QByteArrayLiteral("PC-LIST\0"));
    const QList<QByteArray> names = list < 0 ? QList<QByteArray>() : run.out.mid(list + 8).split('\0');
    for (const QByteArray &name : names) {
        if (!name.isEmpty())
            m_present.append(QString::fromUtf8(name));
    }
    if (!m_staging.isValid())
        return {PublishFailure::Other, tr("No temporary folder could be made: %1").arg(m_staging.errorString())};
    return {};
}

// The files as rsync sends them: a folder of links to them under their names at the destination.
bool RsyncTransport::stage(const QList<PublishItem> &items, QString &error)
{
    const QDir staging(m_staging.path());
    staging.mkpath(PictureNames::FolderName);
    for (const PublishItem &item : items) {
        const QString link = staging.filePath(item.name);
        QFile::remove(link);
        if (!QFile::link(item.source, link)) {
            error = tr("%1 could not be prepared for sending.").arg(item.source);
            return false;
        }
    }
    return true;
}

PublishError RsyncTransport::compare(QList<PublishItem> &items, QStringList &present)
{
    QString error;
    if (!stage(items, error))
        return {PublishFailure::LocalFile, error};
    QHash<QString, qsizetype> index;
    for (qsizetype i = 0; i < items.size(); ++i) {
        index.insert(items.at(i).name, i);
        items[i].change = PublishItem::Change::Same;
    }
    const SshSession::Run run = m_session.run(
        QStringLiteral("rsync"),
        rsyncOptions() << QStringLiteral("-n") << QStringLiteral("-r") << QStringLiteral("-L") << QStringLiteral("-c")
                       << QStringLiteral("--out-format=%i %n") << m_staging.path() + QLatin1Char('/') << remote());
    if (run.exitCode != 0)
        return m_session.failure(run, tr("comparing with the destination"));
    for (const QByteArray &line : run.out.split('\n')) {
        if (line.size() < 13 || line.at(1) != 'f')
            continue;
        const auto found = index.constFind(unescapedName(line.mid(12)));
        if (found != index.cend())
            items[*found].change = line.at(2) == '+' ? PublishItem::Change::New : PublishItem::Change::Changed;
    }

    present += m_present;
    return {};
}

PublishError RsyncTransport::send(const QList<PublishItem> &items, const Sent &sent)
{
    qint64 bytes = 0;
    QStringList names;
    QHash<QString, int> index;
    for (int i = 0; i < items.size(); ++i) {
        bytes += items.at(i).size;
        names.append(items.at(i).name);
        index.insert(items.at(i).name, i);
    }
    if (m_free >= 0 && bytes > m_free)
        return {PublishFailure::DiskFull,
                tr("The disk of %1 is full: %2 bytes are to be sent and %3 are free.")
                    .arg(m_session.destination().host, QString::number(bytes), QString::number(m_free))};
    // Without -t the copies are never dated like the originals: -I sends what compare() found changed
    // even where size and time happen to agree.
    const SshSession::Run run =
        m_session.run(QStringLiteral("rsync"),
                      rsyncOptions() << QStringLiteral("-L") << QStringLiteral("-I") << QStringLiteral("--from0")
                                     << QStringLiteral("--files-from=-") << QStringLiteral("--out-format=%n")
                                     << m_staging.path() + QLatin1Char('/') << remote(),
                      nulList(names), [&](const QByteArray &line) {
                          const auto found = index.constFind(unescapedName(line));
                          if (found != index.cend())
                              sent(*found);
                      });
    if (run.exitCode != 0 || run.cancelled)
        return m_session.failure(run, tr("sending"));
    return {};
}

PublishError RsyncTransport::remove(const QStringList &names)
{
    // Each name is looked for in an empty folder, and --delete-missing-args removes what is missing:
    // exactly the names given, nothing that rsync would find by itself.
    QTemporaryDir empty;
    if (!empty.isValid() || !QDir(empty.path()).mkdir(PictureNames::FolderName))
        return {PublishFailure::Other, tr("No temporary folder could be made: %1").arg(empty.errorString())};
    const SshSession::Run run = m_session.run(
        QStringLiteral("rsync"),
        rsyncOptions() << QStringLiteral("-r") << QStringLiteral("--from0") << QStringLiteral("--files-from=-")
                       << QStringLiteral("--delete-missing-args") << empty.path() + QLatin1Char('/') << remote(),
        nulList(names));
    if (run.exitCode != 0)
        return m_session.failure(run, tr("removing unlinked files"));
    return {};
}
