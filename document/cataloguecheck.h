#pragma once

#include "messages.h"
#include "projectinfo.h"

#include <QList>
#include <QString>

class QDebug;

// What would make the published pages wrong, found from the catalogue and the picture folder.
struct CheckFinding
{
    qsizetype record = 0; // counted from 1; 0 for projects.txt as a whole; OrphanRecord for pictures
    // of a name no project carries, `name` being that name
    QString name;
    QString message;
};

bool operator==(const CheckFinding &a, const CheckFinding &b);
QDebug operator<<(QDebug debug, const CheckFinding &finding);

namespace CatalogueCheck {

constexpr qsizetype OrphanRecord = -1;

// Looks at every project's pictures in `pictureFolder` by the rules the window and the pages follow,
// then at the pictures there whose name no project carries (left by a rename or a delete, kept).
QList<CheckFinding> checkProjects(const QList<ProjectInfo> &projects, const QString &pictureFolder);

// A message about projects.txt as a whole (what the window showed at start-up), as a finding.
CheckFinding fileFinding(const Message &message);

// `projects.txt:RECORD: Name: message`, `projects.txt: message` for the whole file, or
// `Thumbs: Name: message` for pictures no project's name leads to. The name and
// the messages that quote it may hold line breaks and other control characters.
QString formatFinding(const CheckFinding &finding);

} // namespace CatalogueCheck
