#pragma once

#include "projectinfo.h"

#include <QString>

// A project whose texts are all made from its name, so that any field tells two apart.
inline ProjectInfo project(const QString &name, const QString &location = {}, qint16 pics = 1)
{
    ProjectInfo info;
    info.Name = name;
    info.Location = location.isEmpty() ? name + QStringLiteral(" place") : location;
    info.ShortDesc = name + QStringLiteral(" short");
    info.LongDesc = name + QStringLiteral(" long");
    info.Pics = pics;
    return info;
}
