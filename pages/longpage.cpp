#include "longpage.h"

#include "pagelines.h"
#include "pictureurl.h"

using namespace PageLines;

LongPage::LongPage(QIODevice &file) : m_text(file)
{
    // The long page repeats the short page's heading; readers of existing pages know it that way.
    m_text.head(QLatin1String("         <b><font size=+2>Short Descriptions</font>"));
}

void LongPage::add(const ProjectInfo &project)
{
    const QLatin1String lineBreak("<br>");
    m_text.line(QLatin1String("<b>"), project.Name, QLatin1String("</b><br>"));
    m_text.line(project.Location, lineBreak);
    m_text.line(NonBreakingBreak);
    m_text.line(Space);
    m_text.line(project.ShortDesc, lineBreak);
    m_text.line(NonBreakingBreak);
    m_text.line(Space);
    m_text.line(project.LongDesc, lineBreak);
    m_text.line(NonBreakingBreak);
    m_text.line(Space);
    m_text.line(QLatin1String("<CENTER>"));
    m_text.line(QLatin1String("<TABLE BORDER=0>"));
    // An int counter: a 16-bit one would overflow after picture 32767.
    const int pictures = project.Pics;
    const QString urlName = pictures > 0 ? pictureUrlName(project.Name) : QString();
    for (int k = 1; k <= pictures; ++k) {
        m_text.line(QLatin1String("      <TD Width= 200 align=center>"));
        m_text.line(PictureStart, urlName, QLatin1String("_p"), k, QLatin1String(".gif\">"));
        m_text.line(CellEnd);
        if (k % 3 == 0) {
            m_text.line(RowEnd);
            m_text.line(RowStart);
        }
    }
    m_text.line(QLatin1String("</TABLE>"));
    m_text.line(QLatin1String("</CENTER>"));
    m_text.line(NonBreakingBreak);
    m_text.line(Space);
    m_text.line(Rule);
    m_text.line(NonBreakingBreak);
    m_text.line(Space);
}

bool LongPage::finish()
{
    m_text.foot();
    return m_text.finish();
}
