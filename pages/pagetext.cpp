#include "pagetext.h"

#include "pagelines.h"

void PageText::head(QLatin1String headingLine)
{
    using namespace PageLines;
    line(QLatin1String("<HTML>"));
    line(QLatin1String("<HEAD>"));
    line(QLatin1String("   <TITLE>Project List</TITLE>"));
    line(QLatin1String("</HEAD>"));
    line(QLatin1String("<BODY bgcolor=#D0DBE9>"));
    line(Space);
    line(QLatin1String("<Center>"));
    line(QLatin1String("<Table border=2>"));
    line(RowStart);
    line(QLatin1String("      <TD colspan=3 align=center>"));
    line(headingLine);
    line(CellEnd);
    line(RowEnd);
    line(RowStart);
    line(QLatin1String("      <TD width=100 align=center>"));
    line(QLatin1String("         <a href=\"./projects_index.htm\">Index</a>"));
    line(CellEnd);
    line(QLatin1String("      <TD width=100 align=center>"));
    line(QLatin1String("         <a href=\"./projects_short.htm\">Short</a>"));
    line(CellEnd);
    line(QLatin1String("      <TD width=100 align=center>"));
    line(QLatin1String("         <a href=\"./projects_long.htm\">Long</a>"));
    line(CellEnd);
    line(RowEnd);
    line(QLatin1String("</Table>"));
    line(QLatin1String("</Center>"));
    line(Space);
    line(Rule);
    line(NonBreakingBreak);
    line(Space);
}

void PageText::foot()
{
    line(PageLines::Space);
    line(QLatin1String("</BODY>"));
    line(QLatin1String("</HTML>"));
}
