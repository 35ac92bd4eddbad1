#include "uploadresult.h"

#include <QCoreApplication>
#include <QDebug>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("UploadResult", text);
}

QString count(int n, const char *one, const char *many)
{
    return n == 1 ? tr(one) : tr(many).arg(n);
}

} // namespace

bool PublishProgress::operator==(const PublishProgress &other) const
{
    return files == other.files && totalFiles == other.totalFiles && bytes == other.bytes
        && totalBytes == other.totalBytes && current == other.current;
}

bool UploadResult::operator==(const UploadResult &other) const
{
    return outcome == other.outcome && error == other.error && method == other.method
        && picturesSent == other.picturesSent && pagesSent == other.pagesSent && removed == other.removed;
}

QString UploadResult::message() const
{
    const QString pictures = count(picturesSent, "1 picture", "%1 pictures");
    switch (outcome) {
    case Outcome::NothingToSend:
        return tr("Nothing was sent: the destination already holds these pages and pictures (%1).").arg(method);
    case Outcome::Published:
        return tr("Published through %1: %2 and %3 sent.")
            .arg(method, pictures, count(pagesSent, "1 page", "%1 pages"));
    case Outcome::Cancelled:
    case Outcome::Failed:
        break;
    }
    QString stopped = outcome == Outcome::Cancelled ? tr("Publishing was cancelled.") : error.reason;
    if (pagesSent > 0)
        return tr("%1 %2 and %3 of the pages were sent; the other pages are the old ones.")
            .arg(stopped, pictures, QString::number(pagesSent));
    if (method.isEmpty())
        return stopped;
    return tr("%1 %2 sent, no page: the site still shows the old pages.").arg(stopped, pictures);
}

QDebug operator<<(QDebug debug, const PublishError &error)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "PublishError(" << int(error.failure) << ", " << error.reason << ')';
    return debug;
}

QDebug operator<<(QDebug debug, const PublishProgress &progress)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "PublishProgress(" << progress.files << '/' << progress.totalFiles << " files, "
                    << progress.bytes << '/' << progress.totalBytes << " bytes, " << progress.current << ')';
    return debug;
}

QDebug operator<<(QDebug debug, const UploadResult &result)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "UploadResult(" << int(result.outcome) << ", " << result.error << ", " << result.method << ", "
                    << result.picturesSent << " pictures, " << result.pagesSent << " pages, removed " << result.removed
                    << ')';
    return debug;
}
