#pragma once

#include <QByteArray>
#include <QString>

// `text` as one line a terminal or a text box shows as it is: control characters (below 32, 127,
// and U+0080 to U+009F) are written `\xNN`, and the invisible marks that reorder or break a line
// (U+061C, U+200E, U+200F, U+2028 to U+202E, U+2066 to U+2069, U+FEFF) `\uNNNN`, so that a name
// can neither move the cursor, retitle the terminal, forge a line of its own nor show its text
// in another order. Every name and path the command line prints, the window's title, and every
// finding the window lists, go through it.
QString printableText(const QString &text);

// A file or folder name as the system holds it, made printable the same way: bytes that are not
// UTF-8 are written `\xNN`, so that "caf\xe9" is told apart from "café" and from "caf?".
QString printableFileName(const QByteArray &name);
