#pragma once

#include "chunkedoutput.h"
#include "projectinfo.h"

#include <QByteArray>
#include <QLatin1String>
#include <QList>
#include <QString>

class QIODevice;

// The bytes of one page, passed on to the file a megabyte at a time: a page of tens of thousands
// of projects never sits whole in memory. Field values go in as Windows-1252, with a numeric
// character reference for anything it cannot hold.
class PageText
{
public:
    explicit PageText(QIODevice &sink) : m_out(sink) {}

    // One line of the file: the pieces joined with nothing between them, then CR LF.
    template <typename... Pieces>
    void line(const Pieces &...pieces)
    {
        (append(pieces), ...);
        m_out.append("\r\n", 2);
    }

    // The shared head (navigation table and rule) with the page's own heading line.
    void head(QLatin1String headingLine);
    void foot();

    // Writes what is left; false when any write failed.
    bool finish() { return m_out.finish(); }

private:
    void append(QLatin1String literal) { m_out.append(literal); }
    void append(const QString &value) { m_out.appendWindows1252WithReferences(value); }
    void append(int number) { m_out.appendNumber(number); }

    ChunkedOutput m_out;
};

// Starts loading the given texts of the project a few places past `position` into the cache.
// Pages without the long descriptions jump from one scattered text to the next, and fetching each
// only when the writer reaches it takes longer than encoding it. Writers that read every text in
// order are better off without: the processor already streams those.
template <typename... Fields>
void prefetchAhead(const QList<ProjectInfo> &projects, qsizetype position, Fields... fields)
{
    constexpr qsizetype Ahead = 8;
    if (position + Ahead < projects.size()) {
        const ProjectInfo &project = projects.at(position + Ahead);
        (__builtin_prefetch((project.*fields).constData()), ...);
    }
}

// A page writer's bytes, for callers that want them in memory.
using PageWriter = bool (*)(const QList<ProjectInfo> &, QIODevice &);
QByteArray pageBytes(PageWriter write, const QList<ProjectInfo> &projects);

namespace PageLines {
inline constexpr QLatin1String Space(" ");
inline constexpr QLatin1String NonBreakingBreak("&nbsp<br>");
inline constexpr QLatin1String Rule("<hr><!--------------------------------------------------->");
inline constexpr QLatin1String PictureStart("         <img SRC=\"./Thumbs/");
inline constexpr QLatin1String RowEnd("   </TR>");
inline constexpr QLatin1String RowStart("   <TR>");
inline constexpr QLatin1String CellEnd("      </TD>");
} // namespace PageLines
