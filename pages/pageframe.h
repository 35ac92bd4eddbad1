#pragma once

#include "chunkedoutput.h"
#include "projectinfo.h"

#include <QBuffer>
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

// One page, written a project at a time. Build Pages writes the three pages side by side in one
// pass over the catalogue: each project's texts are then fetched from memory once for all three,
// where three passes would each chase them all over the heap.
class Page
{
public:
    virtual ~Page() = default;
    virtual void add(const ProjectInfo &project) = 0;
    // Writes what follows the last project; false when any write failed.
    virtual bool finish() = 0;
};

class IndexPage : public Page
{
public:
    explicit IndexPage(QIODevice &file);
    void add(const ProjectInfo &project) override;
    bool finish() override;

private:
    PageText m_text;
    qsizetype m_added = 0;
};

class ShortPage : public Page
{
public:
    explicit ShortPage(QIODevice &file);
    void add(const ProjectInfo &project) override;
    bool finish() override;

private:
    PageText m_text;
};

class LongPage : public Page
{
public:
    explicit LongPage(QIODevice &file);
    void add(const ProjectInfo &project) override;
    bool finish() override;

private:
    PageText m_text;
};

// A project's name as it stands in the URL of its pictures (the SRC attributes), which must name the
// files under that very name: "%", "#", "?", "\"" and "&" are written "%25", "%23", "%3F", "%22"
// and "%26", since a browser would otherwise decode an escape, start a fragment or a query, end
// the attribute or read a character reference, and ask for another file. A name without them is
// returned as it is, shared.
QString pictureUrlName(const QString &name);

// A page's bytes, for callers that want them in memory.
template <typename Kind>
QByteArray pageBytes(const QList<ProjectInfo> &projects);

namespace PageLines {
inline constexpr QLatin1String Space(" ");
inline constexpr QLatin1String NonBreakingBreak("&nbsp<br>");
inline constexpr QLatin1String Rule("<hr><!--------------------------------------------------->");
inline constexpr QLatin1String PictureStart("         <img SRC=\"./Thumbs/");
inline constexpr QLatin1String RowEnd("   </TR>");
inline constexpr QLatin1String RowStart("   <TR>");
inline constexpr QLatin1String CellEnd("      </TD>");
} // namespace PageLines

template <typename Kind>
QByteArray pageBytes(const QList<ProjectInfo> &projects)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Kind page(buffer);
    for (const ProjectInfo &project : projects)
        page.add(project);
    page.finish();
    return buffer.data();
}
