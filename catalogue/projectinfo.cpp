#include "projectinfo.h"

#include <QDebug>

const QString &fieldText(const ProjectInfo &project, Field field)
{
    return fieldText(const_cast<ProjectInfo &>(project), field);
}

QString &fieldText(ProjectInfo &project, Field field)
{
    switch (field) {
    case Field::Name:
        return project.Name;
    case Field::Location:
        return project.Location;
    case Field::ShortDesc:
        return project.ShortDesc;
    case Field::LongDesc:
        break;
    }
    return project.LongDesc;
}

QString fieldKey(Field field)
{
    static const QString Keys[] = {QStringLiteral("Name"), QStringLiteral("Location"), QStringLiteral("ShortDesc"),
                                   QStringLiteral("LongDesc")};
    return Keys[int(field)];
}

std::optional<Field> fieldForKey(const QString &key)
{
    for (const Field field : AllFields)
        if (key == fieldKey(field))
            return field;
    return std::nullopt;
}

bool operator==(const ProjectInfo &a, const ProjectInfo &b)
{
    return a.Name == b.Name && a.Location == b.Location && a.ShortDesc == b.ShortDesc && a.LongDesc == b.LongDesc
        && a.Pics == b.Pics;
}

bool operator!=(const ProjectInfo &a, const ProjectInfo &b)
{
    return !(a == b);
}

QDebug operator<<(QDebug debug, const ProjectInfo &project)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "ProjectInfo(" << project.Name << ", " << project.Location << ", " << project.ShortDesc << ", "
                    << project.LongDesc << ", " << project.Pics << ')';
    return debug;
}
