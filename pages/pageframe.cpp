#include "pageframe.h"

#include <algorithm>

namespace {

// '"', '#', '%', '&' and '?', as bits of the characters below 64.
constexpr quint64 UrlReserved = 1ull << '"' | 1ull << '#' | 1ull << '%' | 1ull << '&' | 1ull << '?';

bool isUrlReserved(QChar c)
{
    return c.unicode() < 64 && (UrlReserved >> c.unicode() & 1);
}

} // namespace

QString pictureUrlName(const QString &name)
{
    const QChar *const begin = name.constData();
    const QChar *const end = begin + name.size();
    const QChar *reserved = std::find_if(begin, end, isUrlReserved);
    if (reserved == end)
        return name;
    QString escaped = name.left(reserved - begin);
    for (const QChar *c = reserved; c != end; ++c) {
        if (isUrlReserved(*c))
            escaped += QLatin1Char('%') + QString::number(c->unicode(), 16).toUpper();
        else
            escaped += *c;
    }
    return escaped;
}

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
