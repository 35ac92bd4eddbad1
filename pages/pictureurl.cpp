#include "pictureurl.h"

#include <algorithm>

namespace {

// '"', '#', '%', '&' and '?', as bits of the characters below 64.
constexpr quint64 UrlReserved = 1ull << '"' | 1ull << '#' | 1ull << '%' | 1ull << '&' | 1ull << '?';

bool isUrlReserved(QChar c)
{
    return c.unicode() < 64 && (UrlReserved >> c.unicode() & 1);
}

} // namespace

QString pictureUrlName(const QString &name)
{
    const QChar *const begin = name.constData();
    const QChar *const end = begin + name.size();
    const QChar *reserved = std::find_if(begin, end, isUrlReserved);
    if (reserved == end)
        return name;
    QString escaped = name.left(reserved - begin);
    for (const QChar *c = reserved; c != end; ++c) {
        if (isUrlReserved(*c))
            escaped += QLatin1Char('%') + QString::number(c->unicode(), 16).toUpper();
        else
            escaped += *c;
    }
    return escaped;
}
