#include "printabletext.h"

#include <algorithm>

namespace {

bool isControl(QChar c)
{
    return c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() <= 0x9f);
}

// Bidirectional embeddings, overrides, isolates and marks, the line and paragraph separators, and
// the byte order mark: invisible, and each can change how the rest of the line reads.
bool isInvisibleFormat(QChar c)
{
    const char16_t u = c.unicode();
    return u == 0x061c || u == 0x200e || u == 0x200f || (u >= 0x2028 && u <= 0x202e) || (u >= 0x2066 && u <= 0x2069)
        || u == 0xfeff;
}

bool needsEscape(QChar c)
{
    return isControl(c) || isInvisibleFormat(c);
}

// The length of the well-formed UTF-8 sequence at `p`, or 0: overlong forms, surrogates and code
// points past U+10FFFF are not UTF-8 either.
qsizetype utf8Length(const uchar *p, qsizetype left)
{
    if (p[0] < 0x80)
        return 1;
    qsizetype length = 0;
    char32_t lowest = 0;
    char32_t code = 0;
    if ((p[0] & 0xe0) == 0xc0) {
        length = 2, lowest = 0x80, code = p[0] & 0x1f;
    } else if ((p[0] & 0xf0) == 0xe0) {
        length = 3, lowest = 0x800, code = p[0] & 0x0f;
    } else if ((p[0] & 0xf8) == 0xf0) {
        length = 4, lowest = 0x10000, code = p[0] & 0x07;
    } else {
        return 0;
    }
    if (left < length)
        return 0;
    for (qsizetype i = 1; i < length; ++i) {
        if ((p[i] & 0xc0) != 0x80)
            return 0;
        code = (code << 6) | (p[i] & 0x3f);
    }
    if (code < lowest || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff))
        return 0;
    return length;
}

} // namespace

QString printableText(const QString &text)
{
    if (std::none_of(text.cbegin(), text.cend(), needsEscape))
        return text;
    QString line;
    line.reserve(text.size() + 16);
    for (const QChar c : text) {
        if (isControl(c))
            line += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else if (isInvisibleFormat(c))
            line += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            line += c;
    }
    return line;
}

QString printableFileName(const QByteArray &name)
{
    const auto *bytes = reinterpret_cast<const uchar *>(name.constData());
    QString shown;
    qsizetype runStart = 0;
    qsizetype i = 0;
    while (i < name.size()) {
        const qsizetype length = utf8Length(bytes + i, name.size() - i);
        if (length > 0) {
            i += length;
            continue;
        }
        shown += printableText(QString::fromUtf8(name.constData() + runStart, i - runStart));
        shown += QStringLiteral("\\x%1").arg(bytes[i], 2, 16, QLatin1Char('0'));
        runStart = ++i;
    }
    return shown + printableText(QString::fromUtf8(name.constData() + runStart, name.size() - runStart));
}
