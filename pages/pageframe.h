#pragma once

#include <QByteArray>
#include <QLatin1String>
#include <QString>

// The text of one page, built in a single buffer and turned into the file's bytes once at the end:
// pages of tens of thousands of projects stay fast.
class PageText
{
public:
    explicit PageText(qsizetype expectedLength) { m_text.reserve(expectedLength); }

    // One line of the file: the pieces joined with nothing between them, then CR LF.
    template <typename... Pieces>
    void line(const Pieces &...pieces)
    {
        (m_text += ... += pieces);
        m_text += QLatin1String("\r\n");
    }

    // The shared head (navigation table and rule) with the page's own heading line.
    void head(QLatin1String headingLine);
    void foot();

    // Windows-1252, with a numeric character reference for anything it cannot hold.
    QByteArray bytes() const;

private:
    QString m_text;
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
