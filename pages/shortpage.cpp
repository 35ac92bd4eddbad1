#include "shortpage.h"

#include "pagelines.h"
#include "pictureurl.h"

using namespace PageLines;

ShortPage::ShortPage(QIODevice &file) : m_text(file)
{
    m_text.head(QLatin1String("         <b><font size=+2>Short Descriptions</font>"));
}

void ShortPage::add(const ProjectInfo &project)
{
    const QLatin1String indent("         ");
    const QLatin1String lineBreak("<br>");
    m_text.line(QLatin1String("<TABLE BORDER=0>"));
    m_text.line(RowStart);
    m_text.line(QLatin1String("      <TD Width= 200 align=center>"));
    m_text.line(PictureStart, pictureUrlName(project.Name), QLatin1String("_p1.gif\">"));
    m_text.line(CellEnd);
    m_text.line(QLatin1String("      <TD>"));
    m_text.line(QLatin1String("         <b>"), project.Name, QLatin1String("</b><br>"));
    m_text.line(indent, project.Location, lineBreak);
    m_text.line(QLatin1String("         &nbsp<br>"));
    m_text.line(Space);
    m_text.line(indent, project.ShortDesc, lineBreak);
    m_text.line(CellEnd);
    m_text.line(RowEnd);
    m_text.line(QLatin1String("</TABLE>"));
    m_text.line(NonBreakingBreak);
    m_text.line(Space);
}

bool ShortPage::finish()
{
    m_text.foot();
    return m_text.finish();
}
