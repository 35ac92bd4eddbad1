#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTest>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

// A missing or unreadable file reads as a marker, so that it never passes for an empty one.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
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

// Starts `program` as "nobody" when the tests run as root, as the current user otherwise.
inline void startAsNobody(QProcess &process, const QString &program, const QStringList &arguments)
{
    if (runningAsRoot())
        process.start(QStringLiteral("setpriv"),
                      QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups", program} + arguments);
    else
        process.start(program, arguments);
}
