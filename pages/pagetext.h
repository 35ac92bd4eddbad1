#pragma once

#include "chunkedoutput.h"

#include <QLatin1String>
#include <QString>

class QIODevice;

// The bytes of one page, passed on to the file a megabyte at a time: a page of tens of thousands
// of projects never sits whole in memory. The page is ASCII: field values go in with a numeric
// character reference for every other character, so it reads the same whatever charset a web
// server declares for it.
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
    void append(const QString &value) { m_out.appendAsciiWithReferences(value); }
    void append(int number) { m_out.appendNumber(number); }

    ChunkedOutput m_out;
};
