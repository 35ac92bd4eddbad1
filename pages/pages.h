#pragma once

#include "projectinfo.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace Pages {

inline const QString IndexFileName = QStringLiteral("projects_index.htm");
inline const QString ShortFileName = QStringLiteral("projects_short.htm");
inline const QString LongFileName = QStringLiteral("projects_long.htm");

// Each page as the bytes of its file.
QByteArray BuildIndexPage(const QList<ProjectInfo> &projects);
QByteArray BuildShortPage(const QList<ProjectInfo> &projects);
QByteArray BuildLongPage(const QList<ProjectInfo> &projects);

struct PublishResult
{
    bool ok = true;
    QString failedFile; // the page that could not be written; the ones after it were not tried
    QString error;
};

// Writes the three pages into `folder`, index, short, long, stopping at the first failure.
PublishResult publishPages(const QList<ProjectInfo> &projects, const QString &folder);

} // namespace Pages
