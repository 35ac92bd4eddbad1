#pragma once

#include <QString>
#include <QtGlobal>

class QDebug;

struct ProjectInfo
{
    QString Name;
    QString Location;
    QString ShortDesc;
    QString LongDesc;
    qint16 Pics = 0;
};
// Inserting or deleting a project in the middle of a full catalogue moves the records after it as
// one block of memory, not one by one.
Q_DECLARE_TYPEINFO(ProjectInfo, Q_RELOCATABLE_TYPE);

bool operator==(const ProjectInfo &a, const ProjectInfo &b);
bool operator!=(const ProjectInfo &a, const ProjectInfo &b);
QDebug operator<<(QDebug debug, const ProjectInfo &project);
