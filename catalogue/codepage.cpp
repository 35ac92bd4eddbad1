#include "codepage.h"

#include <QStringDecoder>

namespace {

constexpr char16_t HighHalf[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// -1 when the character has no Windows-1252 byte.
int windows1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (HighHalf[i] == c)
            return 0x80 + i;
    }
    return -1;
}

bool isAscii(const QByteArray &bytes)
{
    for (char b : bytes) {
        if (static_cast<unsigned char>(b) >= 0x80)
            return false;
    }
    return true;
}

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(bytes); // the decoding runs only when its result is taken
    return !utf8.hasError();
}

} // namespace

namespace CodePage {

QString decodeWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        *out++ = (byte >= 0x80 && byte < 0xA0) ? QChar(HighHalf[byte - 0x80]) : QChar(byte);
    }
    return text;
}

bool encodeWindows1252(const QString &text, QByteArray &out)
{
    out.resize(text.size());
    char *p = out.data();
    for (QChar c : text) {
        const int byte = windows1252Byte(c.unicode());
        if (byte < 0)
            return false;
        *p++ = char(byte);
    }
    return true;
}

QByteArray encodeWindows1252WithReferences(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        const int byte = windows1252Byte(c);
        if (byte >= 0) {
            out.append(char(byte));
            continue;
        }
        char32_t codePoint = c;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            codePoint = QChar::surrogateToUcs4(c, text.at(++i).unicode());
        out.append("&#").append(QByteArray::number(uint(codePoint))).append(';');
    }
    return out;
}

QString decodeCatalogueText(const QByteArray &bytes)
{
    if (!isAscii(bytes)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError())
            return text;
    }
    return decodeWindows1252(bytes);
}

QByteArray encodeCatalogueText(const QString &text)
{
    // Windows-1252 bytes that happen to form valid UTF-8 (such as "Ã©") would be read back as
    // UTF-8 and change; UTF-8 keeps them.
    QByteArray bytes;
    if (encodeWindows1252(text, bytes) && (isAscii(bytes) || !isValidUtf8(bytes)))
        return bytes;
    return text.toUtf8();
}

} // namespace CodePage
