#include "pages.h"

#include "pageframe.h"

namespace Pages {

bool WriteIndexPage(const QList<ProjectInfo> &projects, QIODevice &file)
{
    using namespace PageLines;
    PageText page(file);
    page.head(QLatin1String("         <b><font size=+2>Index</font>"));
    page.line(QLatin1String("<Center>"));
    page.line(QLatin1String("<TABLE BORDER=0>"));
    for (qsizetype i = 0; i < projects.size(); ++i) {
        prefetchAhead(projects, i, &ProjectInfo::Name);
        const QString &name = projects.at(i).Name;
        page.line(QLatin1String("      <TD Width= 190 align=center>"));
        page.line(PictureStart, name, QLatin1String("_p1.gif\"><br>"));
        page.line(QLatin1String("         <b>"), name, QLatin1String("</b><br>"));
        page.line(QLatin1String("         <br>"));
        page.line(CellEnd);
        // Rows are only broken, never closed at the end: browsers close the last one.
        if ((i + 1) % 4 == 0) {
            page.line(RowEnd);
            page.line(RowStart);
        }
    }
    page.line(QLatin1String("</TABLE>"));
    page.line(QLatin1String("</Center>"));
    page.line(NonBreakingBreak);
    page.line(Space);
    page.foot();
    return page.finish();
}

QByteArray BuildIndexPage(const QList<ProjectInfo> &projects)
{
    return pageBytes(&WriteIndexPage, projects);
}

} // namespace Pages
