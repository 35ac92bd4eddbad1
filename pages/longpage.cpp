#include "pages.h"

#include "pageframe.h"

namespace Pages {

bool WriteLongPage(const QList<ProjectInfo> &projects, QIODevice &file)
{
    using namespace PageLines;
    const QLatin1String lineBreak("<br>");
    PageText page(file);
    // The long page repeats the short page's heading; readers of existing pages know it that way.
    page.head(QLatin1String("         <b><font size=+2>Short Descriptions</font>"));
    for (const ProjectInfo &project : projects) {
        page.line(QLatin1String("<b>"), project.Name, QLatin1String("</b><br>"));
        page.line(project.Location, lineBreak);
        page.line(NonBreakingBreak);
        page.line(Space);
        page.line(project.ShortDesc, lineBreak);
        page.line(NonBreakingBreak);
        page.line(Space);
        page.line(project.LongDesc, lineBreak);
        page.line(NonBreakingBreak);
        page.line(Space);
        page.line(QLatin1String("<CENTER>"));
        page.line(QLatin1String("<TABLE BORDER=0>"));
        // An int counter: a 16-bit one would overflow after picture 32767.
        const int pictures = project.Pics;
        for (int k = 1; k <= pictures; ++k) {
            page.line(QLatin1String("      <TD Width= 200 align=center>"));
            page.line(PictureStart, project.Name, QLatin1String("_p"), k,
                      QLatin1String(".gif\">"));
            page.line(CellEnd);
            if (k % 3 == 0) {
                page.line(RowEnd);
                page.line(RowStart);
            }
        }
        page.line(QLatin1String("</TABLE>"));
        page.line(QLatin1String("</CENTER>"));
        page.line(NonBreakingBreak);
        page.line(Space);
        page.line(Rule);
        page.line(NonBreakingBreak);
        page.line(Space);
    }
    page.foot();
    return page.finish();
}

QByteArray BuildLongPage(const QList<ProjectInfo> &projects)
{
    return pageBytes(&WriteLongPage, projects);
}

} // namespace Pages
