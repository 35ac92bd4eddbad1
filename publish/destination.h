#pragma once

#include <QString>

class QDebug;

// Where a catalogue is published: a folder, or a folder on a host reached over SSH, written as
// `[user@]host:path` or `ssh://[user@]host[:port]/path`.
struct Destination
{
    enum class Kind { Folder, Ssh };

    Kind kind = Kind::Folder;
    QString path; // the folder; on a host, relative to the login folder unless absolute
    QString user; // empty: ssh's own choice
    QString host;
    int port = 0; // 0: ssh's own choice
    QString error; // why the text is no destination; empty when it is one

    // Reads a destination as the user wrote it. A name with a colon before any slash is a host, as
    // scp and rsync read it; "./a:b" is a folder.
    static Destination parse(const QString &text);
    // As the user would write it again.
    QString text() const;
    // The host as ssh takes it: user@host.
    QString login() const;
    // The path as a remote program takes it: "~/" and an empty path are the login folder.
    QString remotePath() const;
};

bool operator==(const Destination &a, const Destination &b);
QDebug operator<<(QDebug debug, const Destination &destination);
