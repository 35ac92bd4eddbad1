#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// Windows-1252 is the code page of the catalogue file and the pages: files made on Windows
// desktops use it, and browsers assume it for pages that declare no charset. The five bytes it
// leaves undefined map to the C1 controls of the same number, so every byte survives a round trip.
namespace CodePage {

QString decodeWindows1252(const char *data, qsizetype size);
inline QString decodeWindows1252(const QByteArray &bytes)
{
    return decodeWindows1252(bytes.constData(), bytes.size());
}

// Appends the text's bytes; false, with `out` left partly appended, at the first character
// Windows-1252 cannot hold. `nonAscii` is set when a byte above 0x7F was appended.
bool appendWindows1252(QStringView text, QByteArray &out, bool *nonAscii = nullptr);
bool encodeWindows1252(const QString &text, QByteArray &out);

// For pages: a character Windows-1252 cannot hold becomes a numeric character reference such
// as "&#937;", one per code point.
void appendWindows1252WithReferences(QStringView text, QByteArray &out);
QByteArray encodeWindows1252WithReferences(const QString &text);

bool isValidUtf8(const char *data, qsizetype size);

// A catalogue file is UTF-8 only when it has to be: valid UTF-8 holding a non-ASCII byte is read
// as UTF-8, anything else as Windows-1252.
QString decodeCatalogueText(const QByteArray &bytes);
QByteArray encodeCatalogueText(const QString &text);

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
