#pragma once

#include <QString>

// `text` as one line a terminal or a text box shows as it is: control characters (below 32, 127,
// and U+0080 to U+009F) are written `\xNN`, so that a name can neither move the cursor, retitle
// the terminal nor forge a line of its own. Every name and path the command line prints, and every
// finding the window lists, goes through it.
QString printableText(const QString &text);
