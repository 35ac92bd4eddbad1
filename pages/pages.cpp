#include "pages.h"

#include "indexpage.h"
#include "longpage.h"
#include "shortpage.h"

#include <QBuffer>

namespace Pages {

namespace {

template <typename Kind>
QByteArray pageBytes(const QList<ProjectInfo> &projects)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Kind page(buffer);
    for (const ProjectInfo &project : projects)
        page.add(project);
    page.finish();
    return buffer.data();
}

} // namespace

QByteArray BuildIndexPage(const QList<ProjectInfo> &projects)
{
    return pageBytes<IndexPage>(projects);
}

QByteArray BuildShortPage(const QList<ProjectInfo> &projects)
{
    return pageBytes<ShortPage>(projects);
}

QByteArray BuildLongPage(const QList<ProjectInfo> &projects)
{
    return pageBytes<LongPage>(projects);
}

} // namespace Pages
