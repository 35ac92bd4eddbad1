#pragma once

#include <QString>

// Mirrors what the reader takes for the start of a key line: a quoted item and a comma, or one of
// the five keys bare and a comma. A value holding a line that starts so is outside what the file
// format can carry, and the reader never makes one.
inline bool holdsKeyLikeLine(const QString &value)
{
    const auto isBreak = [](QChar c) { return c == u'\r' || c == u'\n'; };
    const auto isBlank = [](QChar c) { return c == u' ' || c == u'\t'; };
    const QString text = value + QStringLiteral("\"\r\n");
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isBreak(text[i]))
            continue;
        qsizetype p = i + 1;
        while (p < text.size() && (isBlank(text[p]) || isBreak(text[p])))
            ++p;
        if (p >= text.size())
            continue;
        if (text[p] != u'"') {
            for (const char *key :
                 {"Name:,", "Location:,", "Short Description:,", "Long Description:,", "Total Pictures:,"}) {
                if (QStringView(text).sliced(p).startsWith(QLatin1String(key)))
                    return true;
            }
            continue;
        }
        ++p;
        while (p < text.size() && text[p] != u'"' && !isBreak(text[p]))
            ++p;
        if (p >= text.size() || text[p] != u'"')
            continue;
        ++p;
        while (p < text.size() && isBlank(text[p]))
            ++p;
        if (p < text.size() && text[p] == u',')
            return true;
    }
    return false;
}
