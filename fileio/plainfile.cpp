#include "plainfile.h"

PlainFile::PlainFile(const QString &path) : m_path(path) {}

bool PlainFile::fail(const QString &reason)
{
    m_error = reason;
    return false;
}
