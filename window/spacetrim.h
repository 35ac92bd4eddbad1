#pragma once

#include <QString>

// Removes the space characters (32) at both ends and nothing else: tabs, line breaks and other
// blanks at the ends belong to the text.
QString trimSpaces(const QString &text);
