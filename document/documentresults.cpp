#include "documentresults.h"

#include <QDebug>

bool operator==(const LoadResult &a, const LoadResult &b)
{
    return a.outcome == b.outcome && a.messages == b.messages && a.reason == b.reason
        && a.droppedRecords == b.droppedRecords;
}

bool operator==(const SaveResult &a, const SaveResult &b)
{
    return a.outcome == b.outcome && a.message == b.message && a.reason == b.reason && a.question == b.question
        && a.version == b.version;
}

bool operator==(const PublishResult &a, const PublishResult &b)
{
    return a.built == b.built && a.message == b.message && a.failedPage == b.failedPage && a.reason == b.reason;
}

QDebug operator<<(QDebug debug, const LoadResult &result)
{
    const QDebugStateSaver saver(debug);
    static const char *const outcomes[] = {"read", "records dropped", "no project", "unreadable", "missing"};
    debug.nospace() << "LoadResult(" << outcomes[int(result.outcome)] << ", " << result.messages;
    if (!result.reason.isEmpty())
        debug << ", " << result.reason;
    if (result.droppedRecords > 0)
        debug << ", " << result.droppedRecords << " dropped";
    return debug << ')';
}

QDebug operator<<(QDebug debug, const SaveResult &result)
{
    const QDebugStateSaver saver(debug);
    static const char *const outcomes[] = {"saved", "question", "failed", "text not kept"};
    debug.nospace() << "SaveResult(" << outcomes[int(result.outcome)];
    if (!result.saved())
        debug << ", " << result.message << ", " << result.reason;
    if (result.question == SaveResult::Question::OtherNames)
        debug << ", other names";
    if (result.outcome == SaveResult::Outcome::Question)
        debug << ", " << result.version;
    return debug << ')';
}

QDebug operator<<(QDebug debug, const PublishResult &result)
{
    const QDebugStateSaver saver(debug);
    debug.nospace() << "PublishResult(" << result.message;
    if (!result.built)
        debug << ", " << result.failedPage << ", " << result.reason;
    return debug << ')';
}
