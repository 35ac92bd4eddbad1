#include "sshsession.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcessEnvironment>
#include <QThread>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SshSession", text);
}

QProcessEnvironment environment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // The messages read below are the programs' own English ones, and names print as UTF-8.
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return env;
}

} // namespace

SshSession::SshSession(const Destination &destination, const std::atomic<bool> &cancelled)
    : m_destination(destination), m_cancelled(cancelled),
      // A socket's path is short: a folder of its own under /tmp, whatever TMPDIR says.
      m_socketFolder(QStringLiteral("/tmp/project-catalogue-XXXXXX"))
{
    m_socket = m_socketFolder.filePath(QStringLiteral("ssh"));
}

SshSession::~SshSession()
{
    if (m_master && m_master->state() != QProcess::NotRunning) {
        QProcess exit;
        exit.start(QStringLiteral("ssh"),
                   sshOptions() << QStringLiteral("-O") << QStringLiteral("exit") << QStringLiteral("--")
                                << m_destination.host);
        exit.waitForFinished(5000);
        if (!m_master->waitForFinished(5000)) {
            m_master->kill();
            m_master->waitForFinished(5000);
        }
    }
}

QStringList SshSession::configOptions() const
{
    QStringList options;
    const QString config = qEnvironmentVariable("PROJECT_CATALOGUE_SSH_CONFIG");
    if (!config.isEmpty())
        options << QStringLiteral("-F") << config;
    if (m_destination.port > 0)
        options << QStringLiteral("-p") << QString::number(m_destination.port);
    if (!m_destination.user.isEmpty())
        options << QStringLiteral("-l") << m_destination.user;
    return options;
}

QStringList SshSession::sshOptions() const
{
    return configOptions() << QStringLiteral("-S") << m_socket << QStringLiteral("-o")
                           << QStringLiteral("ControlMaster=no");
}

QStringList SshSession::sftpArguments() const
{
    QStringList options;
    const QString config = qEnvironmentVariable("PROJECT_CATALOGUE_SSH_CONFIG");
    if (!config.isEmpty())
        options << QStringLiteral("-F") << config;
    if (m_destination.port > 0)
        options << QStringLiteral("-P") << QString::number(m_destination.port);
    return options << QStringLiteral("-o") << QStringLiteral("ControlPath=") + m_socket << QStringLiteral("-o")
                   << QStringLiteral("ControlMaster=no") << QStringLiteral("--") << m_destination.login();
}

PublishError SshSession::connect()
{
    if (!m_socketFolder.isValid())
        return {PublishFailure::Other,
                tr("No folder for the SSH connection could be made: %1").arg(m_socketFolder.errorString())};
    m_master = std::make_unique<QProcess>();
    m_master->setProcessEnvironment(environment());
    m_master->setStandardInputFile(QProcess::nullDevice());
    m_master->start(QStringLiteral("ssh"),
                    configOptions() << QStringLiteral("-M") << QStringLiteral("-N") << QStringLiteral("-S") << m_socket
                                    << QStringLiteral("-o") << QStringLiteral("ControlPersist=no")
                                    << QStringLiteral("-o") << QStringLiteral("ConnectTimeout=30")
                                    << QStringLiteral("-o") << QStringLiteral("ServerAliveInterval=15")
                                    << QStringLiteral("--") << m_destination.host);
    if (!m_master->waitForStarted())
        return {PublishFailure::NoTransferTool,
                tr("The SSH client (ssh) could not be started: %1").arg(m_master->errorString())};
    // The master is up once a client can use its socket; until then ssh may be asking for a password.
    while (!alive()) {
        if (m_master->waitForFinished(100) || m_master->state() == QProcess::NotRunning) {
            Run run;
            run.exitCode = m_master->exitCode();
            run.err = m_master->readAllStandardError();
            PublishError failed = failure(run, tr("connecting"));
            // Every other failure of a run on an open connection that says so is about a file.
            if (failed.failure == PublishFailure::NotWritable || run.err.contains("Too many authentication failures"))
                return {
                    PublishFailure::AuthenticationFailed,
                    tr("Authentication failed on %1: the host accepted no key or password (%2).")
                        .arg(m_destination.host, QString::fromUtf8(run.err).trimmed().section(QLatin1Char('\n'), -1))};
            return failed;
        }
        if (m_cancelled.load()) {
            m_master->kill();
            m_master->waitForFinished();
            return {PublishFailure::Cancelled, tr("Publishing was cancelled.")};
        }
    }
    m_connected = true;
    // The connection outlives the thread a window connects on: the application's own thread keeps it.
    if (QCoreApplication::instance())
        m_master->moveToThread(QCoreApplication::instance()->thread());
    return {};
}

bool SshSession::alive() const
{
    if (!m_master || m_master->state() != QProcess::Running || !QFileInfo::exists(m_socket))
        return false;
    QProcess check;
    check.start(QStringLiteral("ssh"),
                sshOptions() << QStringLiteral("-O") << QStringLiteral("check") << QStringLiteral("--")
                             << m_destination.host);
    return check.waitForFinished(10000) && check.exitStatus() == QProcess::NormalExit && check.exitCode() == 0;
}

SshSession::Run SshSession::run(const QString &program, const QStringList &arguments, const QByteArray &input,
                                const Line &line) const
{
    Run result;
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        result.err = process.errorString().toUtf8();
        return result;
    }
    process.write(input);
    process.closeWriteChannel();
    QByteArray pending;
    const auto takeLines = [&] {
        pending += process.readAllStandardOutput();
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QByteArray text = pending.left(end);
            result.out += pending.left(end + 1);
            pending.remove(0, end + 1);
            if (line)
                line(text);
        }
    };
    while (!process.waitForFinished(100)) {
        takeLines();
        if (process.state() == QProcess::NotRunning)
            break;
        if (m_cancelled.load()) {
            // rsync and sftp remove the file they were writing when they are stopped so.
            process.terminate();
            if (!process.waitForFinished(5000))
                process.kill();
            process.waitForFinished();
            result.cancelled = true;
            break;
        }
    }
    takeLines();
    result.out += pending;
    result.err = process.readAllStandardError();
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return result;
}

PublishError SshSession::failure(const Run &run, const QString &what) const
{
    if (run.cancelled)
        return {PublishFailure::Cancelled, tr("Publishing was cancelled.")};
    const QString err = QString::fromUtf8(run.err).trimmed();
    const QString host = m_destination.host;
    const auto has = [&err](const char *text) { return err.contains(QLatin1String(text), Qt::CaseInsensitive); };
    const QString said = err.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(err.section(QLatin1Char('\n'), -1));
    if (has("Host key verification failed") || has("REMOTE HOST IDENTIFICATION HAS CHANGED")
        || has("No ED25519 host key is known") || has("host key is known for"))
        return {PublishFailure::HostKeyRefused,
                tr("The host key of %1 was refused: it is not the key known for that host, or it was not accepted.")
                    .arg(host)};
    // Once connected, a refused connection is the host going away under the publish.
    if (m_connected && !alive())
        return {PublishFailure::ConnectionLost, tr("The connection to %1 broke off while %2%3.").arg(host, what, said)};
    if (has("Could not resolve hostname") || has("Connection refused") || has("No route to host")
        || has("Network is unreachable") || has("Connection timed out") || has("Operation timed out"))
        return {PublishFailure::Unreachable, tr("The host %1 cannot be reached%2.").arg(host, said)};
    if (has("No space left on device") || has("Disk quota exceeded"))
        return {PublishFailure::DiskFull, tr("The disk of %1 is full: %2 stopped%3.").arg(host, what, said)};
    if (has("Read-only file system") || has("Permission denied"))
        return {PublishFailure::NotWritable,
                tr("The destination %1 cannot be written: %2 stopped%3.").arg(m_destination.text(), what, said)};
    if (!alive() || has("connection unexpectedly closed") || has("Broken pipe") || has("Connection closed")
        || has("Connection reset") || has("mux_client") || has("Control socket"))
        return {PublishFailure::ConnectionLost, tr("The connection to %1 broke off while %2%3.").arg(host, what, said)};
    return {PublishFailure::Other, tr("%1 failed on %2%3.").arg(what, host, said)};
}
