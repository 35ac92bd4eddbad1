#include "pages.h"

#include "pageframe.h"

namespace Pages {

bool WriteShortPage(const QList<ProjectInfo> &projects, QIODevice &file)
{
    using namespace PageLines;
    const QLatin1String indent("         ");
    const QLatin1String lineBreak("<br>");
    PageText page(file);
    page.head(QLatin1String("         <b><font size=+2>Short Descriptions</font>"));
    for (qsizetype i = 0; i < projects.size(); ++i) {
        prefetchAhead(projects, i, &ProjectInfo::Name, &ProjectInfo::Location, &ProjectInfo::ShortDesc, &ProjectInfo::LongDesc);
        const ProjectInfo &project = projects.at(i);
        page.line(QLatin1String("<TABLE BORDER=0>"));
        page.line(RowStart);
        page.line(QLatin1String("      <TD Width= 200 align=center>"));
        page.line(PictureStart, project.Name, QLatin1String("_p1.gif\">"));
        page.line(CellEnd);
        page.line(QLatin1String("      <TD>"));
        page.line(QLatin1String("         <b>"), project.Name, QLatin1String("</b><br>"));
        page.line(indent, project.Location, lineBreak);
        page.line(QLatin1String("         &nbsp<br>"));
        page.line(Space);
        page.line(indent, project.ShortDesc, lineBreak);
        page.line(CellEnd);
        page.line(RowEnd);
        page.line(QLatin1String("</TABLE>"));
        page.line(NonBreakingBreak);
        page.line(Space);
    }
    page.foot();
    return page.finish();
}

QByteArray BuildShortPage(const QList<ProjectInfo> &projects)
{
    return pageBytes(&WriteShortPage, projects);
}

} // namespace Pages
