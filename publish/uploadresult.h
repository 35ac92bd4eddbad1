#pragma once

#include <QString>
#include <QStringList>

class QDebug;

// Why a publish stopped, for callers that act on the kind rather than the words.
enum class PublishFailure {
    None,
    InvalidDestination,
    SameFolder, // the destination is the catalogue folder, or holds its pictures
    Unreachable,
    HostKeyRefused,
    AuthenticationFailed,
    PathMissing,
    NotWritable,
    DiskFull,
    NoTransferTool, // the host has neither rsync nor sftp
    ConnectionLost,
    Cancelled,
    LocalFile, // a file to send could not be read
    Other,
};

// A step's failure: its kind and the reason in the user's words; no failure when ok().
struct PublishError
{
    PublishFailure failure = PublishFailure::None;
    QString reason;

    bool ok() const { return failure == PublishFailure::None; }
    bool operator==(const PublishError &other) const { return failure == other.failure && reason == other.reason; }
};

// How far a transfer has come.
struct PublishProgress
{
    int files = 0;
    int totalFiles = 0;
    qint64 bytes = 0;
    qint64 totalBytes = 0;
    QString current; // the file being sent, relative to the destination

    bool operator==(const PublishProgress &other) const;
};

// What a publish came to.
struct UploadResult
{
    enum class Outcome { Published, NothingToSend, Cancelled, Failed };

    Outcome outcome = Outcome::Published;
    PublishError error;
    QString method; // "folder", "rsync" or "sftp"
    int picturesSent = 0;
    int pagesSent = 0;
    QStringList removed;

    bool operator==(const UploadResult &other) const;
    // What the user is told: what was sent, and for a failure why it stopped and what the site
    // shows now.
    QString message() const;
};

QDebug operator<<(QDebug debug, const PublishError &error);
QDebug operator<<(QDebug debug, const PublishProgress &progress);
QDebug operator<<(QDebug debug, const UploadResult &result);
