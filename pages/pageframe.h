#pragma once

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
    explicit PageText(QIODevice &sink) : m_sink(sink) {}

    // One line of the file: the pieces joined with nothing between them, then CR LF.
    template <typename... Pieces>
    void line(const Pieces &...pieces)
    {
        (append(pieces), ...);
        m_bytes.append("\r\n", 2);
        if (m_bytes.size() >= ChunkSize)
            flush();
    }

    // The shared head (navigation table and rule) with the page's own heading line.
    void head(QLatin1String headingLine);
    void foot();

    // Writes what is left; false when any write failed.
    bool finish();

private:
    static constexpr qsizetype ChunkSize = 1 << 20;

    void flush();
    void append(QLatin1String literal) { m_bytes.append(literal.data(), literal.size()); }
    void append(const QString &value);
    void append(int number) { m_bytes.append(QByteArray::number(number)); }

    QIODevice &m_sink;
    QByteArray m_bytes;
    bool m_ok = true;
};

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
