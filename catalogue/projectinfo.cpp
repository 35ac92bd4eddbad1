#include "projectinfo.h"

#include <QDebug>

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
