// Publishing against real destinations: folders, some on a small or read-only tmpfs, and an sshd of
// the test's own on 127.0.0.1 with keys and known hosts made for it, one port offering a shell with
// rsync, the other sftp alone.
#include "pages.h"
#include "publisher.h"
#include "testfiles.h"

#include <QRandomGenerator>

#include <csignal>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>

namespace {

const QString Name = QStringLiteral("Café \"Lumière\" d'Or [1]*");
constexpr int Pictures = 12;
constexpr int PictureSize = 1 << 18;

int freePort()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    // Port 0 asks the system for a free one; none found gives 0, which sshd refuses loudly.
    if (::bind(s, reinterpret_cast<sockaddr *>(&address), size) != 0
        || ::getsockname(s, reinterpret_cast<sockaddr *>(&address), &size) != 0)
        address.sin_port = 0;
    ::close(s);
    return ntohs(address.sin_port);
}

bool listening(int port)
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(quint16(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = ::connect(s, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::close(s);
    return ok;
}

// A broken connection: sshd and every session it forked, killed at once.
void killTree(qint64 root)
{
    QList<qint64> doomed{root};
    for (qsizetype i = 0; i < doomed.size(); ++i) {
        for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            const QByteArray stat = readFile(QStringLiteral("/proc/%1/stat").arg(entry));
            const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
            if (fields.size() > 1 && fields.at(1).toLongLong() == doomed.at(i) && !doomed.contains(entry.toLongLong()))
                doomed.append(entry.toLongLong());
        }
    }
    for (const qint64 pid : doomed)
        ::kill(pid_t(pid), SIGKILL);
}

void run(const QString &program, const QStringList &arguments)
{
    QCOMPARE(QProcess::execute(program, arguments), 0);
}

qint64 changeTime(const QString &path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return -1;
    return qint64(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
}

} // namespace

class TestPublish : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void publishes_data();
    void publishes();

private:
    void startServer();
    QString destinationFor(const QString &transport, const QString &folder) const;
    QList<PublishItem> plan() const;

    QTemporaryDir m_dir;
    QString m_catalogue;
    int m_shellPort = 0;
    int m_sftpPort = 0;
    QProcess m_sshd;
    QStringList m_mounts;
};

void TestPublish::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_catalogue = m_dir.filePath(QStringLiteral("catalogue"));
    QList<ProjectInfo> projects{{Name, "Lyon", "s", "l", qint16(Pictures)}, {"North Tower", "a", "b", "c", 1}};
    QDir().mkpath(m_catalogue + QStringLiteral("/Thumbs"));
    QVERIFY(Pages::Publisher(m_catalogue).publish(projects));
    for (int k = 1; k <= Pictures; ++k) {
        QByteArray bytes(PictureSize, Qt::Uninitialized);
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(bytes.data()), PictureSize / 4);
        writeFile(QStringLiteral("%1/Thumbs/%2_p%3.gif").arg(m_catalogue, Name).arg(k), bytes);
    }
    // Not linked: a picture past the count, another name's, and a spelling the pages never use.
    for (const char *other : {"North Tower_p2.gif", "Unknown_p1.gif", "North Tower_p01.gif", "notes.txt"})
        writeFile(m_catalogue + QStringLiteral("/Thumbs/") + QLatin1String(other), "x");
    if (!runningAsRoot())
        return;

    const QString d = m_dir.path();
    for (const char *key : {"host", "user", "stranger"})
        run("ssh-keygen", {"-q", "-t", "ed25519", "-N", "", "-f", d + "/" + key});
    QFile::copy(d + "/user.pub", d + "/authorized_keys");
    m_shellPort = freePort();
    m_sftpPort = freePort();
    QByteArray known;
    QByteArray stranger;
    for (const int port : {m_shellPort, m_sftpPort}) {
        known += QStringLiteral("[127.0.0.1]:%1 ").arg(port).toUtf8() + readFile(d + "/host.pub");
        stranger += QStringLiteral("[127.0.0.1]:%1 ").arg(port).toUtf8() + readFile(d + "/stranger.pub");
    }
    writeFile(d + "/known_hosts", known);
    writeFile(d + "/stranger_hosts", stranger);
    for (const char *hosts : {"known_hosts", "stranger_hosts"})
        writeFile(d + "/config-" + hosts,
                  QStringLiteral("Host *\n IdentityFile %1/user\n IdentitiesOnly yes\n UserKnownHostsFile %1/%2\n"
                                 " GlobalKnownHostsFile /dev/null\n StrictHostKeyChecking yes\n BatchMode yes\n")
                      .arg(d, QLatin1String(hosts))
                      .toUtf8());
    writeFile(d + "/sshd_config",
              QStringLiteral("ListenAddress 127.0.0.1\nPort %2\nPort %3\nHostKey %1/host\nPidFile none\n"
                             "AuthorizedKeysFile %1/authorized_keys\nPermitRootLogin prohibit-password\n"
                             "StrictModes no\nPasswordAuthentication no\nKbdInteractiveAuthentication no\nUsePAM no\n"
                             "Subsystem sftp internal-sftp\n"
                             // bash reads ~/.bashrc for sshd's commands unless it looks nested.
                             "SetEnv SHLVL=5\nMatch LocalPort %3\n ForceCommand internal-sftp\n")
                  .arg(d)
                  .arg(m_shellPort)
                  .arg(m_sftpPort)
                  .toUtf8());
    QDir().mkpath(QStringLiteral("/run/sshd"));
}

void TestPublish::startServer()
{
    m_sshd.start(QStringLiteral("/usr/sbin/sshd"), {"-D", "-e", "-f", m_dir.filePath("sshd_config")});
    QVERIFY(m_sshd.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(listening(m_shellPort) || m_sshd.state() != QProcess::Running, 10000);
    QVERIFY2(listening(m_shellPort), m_sshd.readAllStandardError().constData());
}

void TestPublish::cleanup()
{
    if (m_sshd.state() != QProcess::NotRunning) {
        killTree(m_sshd.processId());
        m_sshd.waitForFinished();
    }
    for (const QString &mount : std::as_const(m_mounts))
        QProcess::execute(QStringLiteral("umount"), {mount});
    m_mounts.clear();
}

QString TestPublish::destinationFor(const QString &transport, const QString &folder) const
{
    if (transport == QLatin1String("folder"))
        return folder;
    return QStringLiteral("ssh://root@127.0.0.1:%1%2")
        .arg(transport == QLatin1String("rsync") ? m_shellPort : m_sftpPort)
        .arg(folder);
}

QList<PublishItem> TestPublish::plan() const
{
    return PublishPlan::make({{Name, "Lyon", "s", "l", qint16(Pictures)}, {"North Tower", "a", "b", "c", 1}},
                             m_catalogue, m_catalogue + QStringLiteral("/Thumbs"));
}

void TestPublish::publishes_data()
{
    QTest::addColumn<QString>("transport");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<PublishFailure>("failure");

    for (const char *transport : {"folder", "rsync", "sftp"}) {
        const QByteArray t(transport);
        const QString name = QString::fromLatin1(transport);
        QTest::newRow(t + ", whole, then unchanged, then one picture") << name << QString() << PublishFailure::None;
        QTest::newRow(t + ", cancel") << name << QStringLiteral("cancel") << PublishFailure::Cancelled;
        QTest::newRow(t + ", full tmpfs") << name << QStringLiteral("full") << PublishFailure::DiskFull;
        QTest::newRow(t + ", read-only tmpfs") << name << QStringLiteral("read-only") << PublishFailure::NotWritable;
        QTest::newRow(t + ", missing folder") << name << QStringLiteral("missing") << PublishFailure::PathMissing;
        if (t != "folder")
            QTest::newRow(t + ", sshd killed") << name << QStringLiteral("broken") << PublishFailure::ConnectionLost;
    }
    QTest::newRow("rsync, a host key not the known one")
        << QStringLiteral("rsync") << QStringLiteral("host key") << PublishFailure::HostKeyRefused;
    QTest::newRow("folder, the catalogue folder")
        << QStringLiteral("folder") << QStringLiteral("same") << PublishFailure::SameFolder;
}

void TestPublish::publishes()
{
    QFETCH(QString, transport);
    QFETCH(QString, fault);
    QFETCH(PublishFailure, failure);
    const bool needsRoot =
        transport != QLatin1String("folder") || fault == QLatin1String("full") || fault == QLatin1String("read-only");
    if (needsRoot && !runningAsRoot())
        QSKIP("sshd and tmpfs mounts need root");
    if (transport != QLatin1String("folder"))
        startServer();
    qputenv(
        "PROJECT_CATALOGUE_SSH_CONFIG",
        m_dir.filePath(fault == QLatin1String("host key") ? "config-stranger_hosts" : "config-known_hosts").toUtf8());

    // The destination holds an old site: old pages, a picture no page links, a page of its own.
    static int sites = 0;
    const QString site = m_dir.filePath(QStringLiteral("site%1").arg(++sites));
    QVERIFY(QDir().mkpath(site));
    QString folder = site;
    if (fault == QLatin1String("full") || fault == QLatin1String("read-only")) {
        run("mount", {"-t", "tmpfs", "-o", fault == QLatin1String("full") ? "size=1m" : "size=64m", "tmpfs", folder});
        m_mounts << folder;
    }
    for (const QString &page : Pages::FileNames)
        writeFile(folder + QLatin1Char('/') + page, "old");
    writeFile(folder + QStringLiteral("/Thumbs/gone_p1.gif"), "old");
    writeFile(folder + QStringLiteral("/own.html"), "own");
    if (fault == QLatin1String("read-only"))
        run("mount", {"-o", "remount,ro", folder});
    if (fault == QLatin1String("missing"))
        folder += QStringLiteral("/nowhere");
    if (fault == QLatin1String("same"))
        folder = m_catalogue;

    Publisher publisher(Destination::parse(destinationFor(transport, folder)), m_catalogue,
                        m_catalogue + QStringLiteral("/Thumbs"));
    const PublishError prepared = publisher.prepare(plan());
    QList<PublishProgress> steps;
    const UploadResult result = !prepared.ok() ? UploadResult{} : publisher.send([&](const PublishProgress &step) {
        steps.append(step);
        if (step.files == 1 && fault == QLatin1String("cancel"))
            publisher.cancel();
        if (step.files == 1 && fault == QLatin1String("broken"))
            killTree(m_sshd.processId());
    });
    const PublishFailure came = prepared.ok() ? result.error.failure : prepared.failure;
    QVERIFY2(came == failure, qPrintable(prepared.reason + result.message()));
    if (failure != PublishFailure::None) {
        // The old site stands whole: no page was replaced, and what was sent is told.
        for (const QString &page : Pages::FileNames)
            QCOMPARE(readFile(site + QLatin1Char('/') + page), QByteArray("old"));
        QCOMPARE(result.pagesSent, 0);
        if (prepared.ok())
            QVERIFY2(result.message().contains(QString::number(result.picturesSent)), qPrintable(result.message()));
        return;
    }

    QCOMPARE(publisher.method(), transport);
    QCOMPARE(publisher.toSend().size(), Pictures + 3);
    QCOMPARE(publisher.unlinked(), QStringList{"Thumbs/gone_p1.gif"});
    QCOMPARE(result.outcome, UploadResult::Outcome::Published);
    QCOMPARE(steps.last().files, Pictures + 3);
    qint64 lastPicture = 0;
    for (const PublishItem &item : plan()) {
        QCOMPARE(readFile(folder + QLatin1Char('/') + item.name), readFile(item.source));
        if (!item.isPage())
            lastPicture = std::max(lastPicture, changeTime(folder + QLatin1Char('/') + item.name));
        else
            QVERIFY2(changeTime(folder + QLatin1Char('/') + item.name) >= lastPicture, "a page before its pictures");
    }
    QCOMPARE(QDir(folder + QStringLiteral("/Thumbs")).count(), uint(Pictures + 3));

    // Again: the same content sends nothing; one picture changed sends it alone.
    const auto again = [&] {
        Publisher next(Destination::parse(destinationFor(transport, folder)), m_catalogue,
                       m_catalogue + QStringLiteral("/Thumbs"));
        [&] { QVERIFY(next.prepare(plan()).ok()); }();
        return std::make_pair(next.toSend(), next.send().outcome);
    };
    QCOMPARE(again(), std::make_pair(QList<PublishItem>{}, UploadResult::Outcome::NothingToSend));
    const QString changed = QStringLiteral("%1/Thumbs/%2_p3.gif").arg(m_catalogue, Name);
    QByteArray bytes = readFile(changed);
    bytes[PictureSize / 2] = char(bytes.at(PictureSize / 2) ^ 1);
    writeFile(changed, bytes);
    const auto [sent, outcome] = again();
    QCOMPARE(sent.size(), 1);
    QCOMPARE(sent.first().name, QStringLiteral("Thumbs/%1_p3.gif").arg(Name));
    QCOMPARE(readFile(folder + QLatin1Char('/') + sent.first().name), bytes);

    QCOMPARE(publisher.removeUnlinked().removed, QStringList{"Thumbs/gone_p1.gif"});
    QVERIFY(!QFile::exists(folder + QStringLiteral("/Thumbs/gone_p1.gif")));
    QCOMPARE(readFile(folder + QStringLiteral("/own.html")), QByteArray("own"));
}

QTEST_GUILESS_MAIN(TestPublish)
#include "tst_publish.moc"
