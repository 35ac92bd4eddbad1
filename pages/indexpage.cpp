#include "indexpage.h"

#include "pagelines.h"
#include "pictureurl.h"

using namespace PageLines;

IndexPage::IndexPage(QIODevice &file) : m_text(file)
{
    m_text.head(QLatin1String("         <b><font size=+2>Index</font>"));
    m_text.line(QLatin1String("<Center>"));
    m_text.line(QLatin1String("<TABLE BORDER=0>"));
}

void IndexPage::add(const ProjectInfo &project)
{
    m_text.line(QLatin1String("      <TD Width= 190 align=center>"));
    m_text.line(PictureStart, pictureUrlName(project.Name), QLatin1String("_p1.gif\"><br>"));
    m_text.line(QLatin1String("         <b>"), project.Name, QLatin1String("</b><br>"));
    m_text.line(QLatin1String("         <br>"));
    m_text.line(CellEnd);
    // Rows are only broken, never closed at the end: browsers close the last one.
    if (++m_added % 4 == 0) {
        m_text.line(RowEnd);
        m_text.line(RowStart);
    }
}

bool IndexPage::finish()
{
    m_text.line(QLatin1String("</TABLE>"));
    m_text.line(QLatin1String("</Center>"));
    m_text.line(NonBreakingBreak);
    m_text.line(Space);
    m_text.foot();
    return m_text.finish();
}
