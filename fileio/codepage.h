#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// Windows-1252 is the code page of the catalogue file and the pages: files made on Windows
// desktops use it, and browsers assume it for pages that declare no charset. The five bytes it
// leaves undefined map to the C1 controls of the same number, so every byte survives a round trip.
namespace CodePage {

QString decodeWindows1252(const char *data, qsizetype size);

// Writes the Windows-1252 bytes of `text` to `out`, which has room for one byte a character, and
// returns how many characters it wrote: all of them, or those before the first one Windows-1252
// cannot hold. `nonAscii` is set when a byte above 0x7F was written.
qsizetype toWindows1252(QStringView text, char *out, bool *nonAscii = nullptr);

// "&#1114111;", the longest numeric character reference.
constexpr qsizetype LongestReference = 10;

// Writes `text` in ASCII to `out`, every other character as a numeric character reference of its
// code point; `out` has room for LongestReference bytes a character. Returns the bytes written.
qsizetype toAsciiWithReferences(QStringView text, char *out);

// Checks a file block by block: feed every block in order, then ask. Stops looking at the first
// byte that is not UTF-8.
class Utf8Detector
{
public:
    void feed(const char *data, qsizetype size);
    bool isUtf8WithNonAscii() const { return m_valid && m_pending.isEmpty() && m_nonAscii; }
    bool decided() const { return !m_valid; }

private:
    QByteArray m_pending; // a sequence cut at the end of the last block
    bool m_valid = true;
    bool m_nonAscii = false;
};

} // namespace CodePage
