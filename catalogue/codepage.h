#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252 is the code page of the catalogue file and the pages: files made on Windows
// desktops use it, and browsers assume it for pages that declare no charset. The five bytes it
// leaves undefined map to the C1 controls of the same number, so every byte survives a round trip.
namespace CodePage {

QString decodeWindows1252(const QByteArray &bytes);

// Returns false, leaving `out` incomplete, at the first character Windows-1252 cannot hold.
bool encodeWindows1252(const QString &text, QByteArray &out);

// For pages: a character Windows-1252 cannot hold becomes a numeric character reference such
// as "&#937;", one per code point.
QByteArray encodeWindows1252WithReferences(const QString &text);

// A catalogue file is UTF-8 only when it has to be: valid UTF-8 holding a non-ASCII byte is read
// as UTF-8, anything else as Windows-1252.
QString decodeCatalogueText(const QByteArray &bytes);
QByteArray encodeCatalogueText(const QString &text);

} // namespace CodePage
