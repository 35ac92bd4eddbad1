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

bool operator==(const ProjectInfo &a, const ProjectInfo &b);
bool operator!=(const ProjectInfo &a, const ProjectInfo &b);
QDebug operator<<(QDebug debug, const ProjectInfo &project);
