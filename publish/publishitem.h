#pragma once

#include "projectinfo.h"

#include <QList>
#include <QString>

class QDebug;

// One file a publish may send: a picture the pages link to, or one of the three pages.
struct PublishItem
{
    enum class Change { New, Changed, Same };

    QString name; // where it goes, relative to the destination: "Thumbs/<file>" or a page's name
    QString source; // the file sent
    qint64 size = 0;
    Change change = Change::New;

    bool isPage() const;
    bool operator==(const PublishItem &other) const;
};

QDebug operator<<(QDebug debug, const PublishItem &item);

namespace PublishPlan {

// What a publish sends, in the order it is sent: the pictures that the pages link to (picture 1
// of every project and pictures 1 to its count, that exist in `pictureFolder`), sorted by name,
// then the three pages of `catalogueFolder` in the order Build Pages writes them. Nothing else of
// either folder is sent. The picture folder is listed once, so a count of 32767 costs no probes.
QList<PublishItem> make(const QList<ProjectInfo> &projects, const QString &catalogueFolder,
                        const QString &pictureFolder);

// Under the destination, only the pictures folder's files are ever removed as unlinked.
bool mayBeUnlinked(const QString &name);

} // namespace PublishPlan
