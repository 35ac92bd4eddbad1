#pragma once

#include "projectinfo.h"

#include <QByteArray>
#include <QList>
#include <QStringView>

// The catalogue file as text: five "key","value" lines a project, CR LF after each line.
namespace CatalogueFormat {

struct Parsed
{
    QList<ProjectInfo> projects;
    // Records past the catalogue's limit; the reader keeps counting them so nobody loses them unseen.
    qsizetype droppedRecords = 0;
};

Parsed parse(QStringView text);
QString format(const QList<ProjectInfo> &projects);

// Bytes on disk: Windows-1252, or UTF-8 when a character needs it.
Parsed read(const QByteArray &bytes);
QByteArray write(const QList<ProjectInfo> &projects);

} // namespace CatalogueFormat
