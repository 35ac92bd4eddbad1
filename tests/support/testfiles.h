#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

// Skips a row that tests what only the Linux file layer keeps, naming it, in the build on Qt's file
// layer alone (CATALOGUE_PORTABLE_FILEIO).
#ifdef CATALOGUE_PORTABLE_FILEIO
#define SKIP_IN_PORTABLE_BUILD(what) QSKIP("The portable file layer does not keep " what)
#else
#define SKIP_IN_PORTABLE_BUILD(what) static_cast<void>(0)
#endif

// The catalogue file the first run writes: one project, "New" in all four texts, one picture.
inline const QByteArray FirstRunFile =
    "\"Name:\",\"New\"\r\n\"Location:\",\"New\"\r\n\"Short Description:\",\"New\"\r\n"
    "\"Long Description:\",\"New\"\r\n\"Total Pictures:\",1\r\n";

// A missing or unreadable file reads as a marker, so that it never passes for an empty one.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Makes the file's folder when there is none yet.
inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Root ignores file permissions, so protection is tested as the unprivileged user "nobody".
inline bool runningAsRoot()
{
    return geteuid() == 0;
}

inline bool giveToNobody(const QString &path)
{
    const passwd *nobody = getpwnam("nobody");
    const group *nogroup = getgrnam("nogroup");
    return nobody && nogroup && chown(QFile::encodeName(path).constData(), nobody->pw_uid, nogroup->gr_gid) == 0;
}

// A copy of `path` that "nobody" may read: the clone, and its build, may lie in a folder only root
// may enter. The copies last as long as the test program.
inline QString copyForNobody(const QString &path)
{
    static QTemporaryDir copies;
    QFile::setPermissions(copies.path(), QFile::permissions(copies.path()) | QFile::ReadOther | QFile::ExeOther);
    const QString copy = copies.filePath(QString::number(qHash(path), 16) + QFileInfo(path).fileName());
    QFile::copy(path, copy); // or made already
    return copy;
}

// Starts `program` as "nobody" when the tests run as root, as the current user otherwise; the
// program and ThreadSanitizer's suppressions are run from copies that nobody may read.
inline void startAsNobody(QProcess &process, const QString &program, const QStringList &arguments)
{
    if (!runningAsRoot()) {
        process.start(program, arguments);
        return;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString sanitizer = environment.value(QStringLiteral("TSAN_OPTIONS"));
    const QString suppressions =
        QRegularExpression(QStringLiteral("suppressions=([^:]+)")).match(sanitizer).captured(1);
    if (!suppressions.isEmpty())
        environment.insert(QStringLiteral("TSAN_OPTIONS"),
                           QString(sanitizer).replace(suppressions, copyForNobody(suppressions)));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("setpriv"),
                  QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups", copyForNobody(program)}
                      + arguments);
}
