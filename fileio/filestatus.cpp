#include "filestatus.h"

#include <QDebug>

bool operator==(const FileStatus &a, const FileStatus &b)
{
    return a.type == b.type && a.device == b.device && a.inode == b.inode && a.size == b.size
        && a.modified == b.modified && a.changed == b.changed && a.names == b.names;
}

QDebug operator<<(QDebug debug, const FileStatus &status)
{
    const QDebugStateSaver saver(debug);
    return debug.nospace() << "FileStatus(type " << int(status.type) << ", device " << status.device << ", inode "
                           << status.inode << ", " << status.size << " bytes, modified " << status.modified
                           << ", changed " << status.changed << ", " << status.names << " names)";
}
