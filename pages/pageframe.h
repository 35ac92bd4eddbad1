#pragma once

#include <QByteArray>
#include <QLatin1String>
#include <QString>

// The bytes of one page, built in a single buffer: pages of tens of thousands of projects stay
// fast. Field values go in as Windows-1252, with a numeric character reference for anything it
// cannot hold.
class PageText
{
public:
    explicit PageText(qsizetype expectedLength) { m_bytes.reserve(expectedLength); }

    // One line of the file: the pieces joined with nothing between them, then CR LF.
    template <typename... Pieces>
    void line(const Pieces &...pieces)
    {
        (append(pieces), ...);
        m_bytes.append("\r\n", 2);
    }

    // The shared head (navigation table and rule) with the page's own heading line.
    void head(QLatin1String headingLine);
    void foot();

    QByteArray bytes() const { return m_bytes; }

private:
    void append(QLatin1String literal) { m_bytes.append(literal.data(), literal.size()); }
    void append(const QString &value);
    void append(int number) { m_bytes.append(QByteArray::number(number)); }

    QByteArray m_bytes;
};

namespace PageLines {
inline constexpr QLatin1String Space(" ");
inline constexpr QLatin1String NonBreakingBreak("&nbsp<br>");
inline constexpr QLatin1String Rule("<hr><!--------------------------------------------------->");
inline constexpr QLatin1String PictureStart("         <img SRC=\"./Thumbs/");
inline constexpr QLatin1String RowEnd("   </TR>");
inline constexpr QLatin1String RowStart("   <TR>");
inline constexpr QLatin1String CellEnd("      </TD>");
// Room for the fixed lines of the head and foot.
inline constexpr qsizetype FrameLength = 800;
} // namespace PageLines
