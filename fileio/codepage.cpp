#include "codepage.h"

#include <QByteArrayView>
#include <QtAlgorithms>

#include <charconv>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr char16_t HighHalf[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
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

// The common case, Latin-1 text outside the 0x80-0x9F block, sixteen characters at a time.
// Returns false when some character needs the table or does not fit.
bool narrowPlainLatin1(const char16_t *in, qsizetype size, char *out, char16_t *seen)
{
    qsizetype i = 0;
    char16_t all = 0;
    bool inHighHalf = false;
#ifdef __SSE2__
    const __m128i highHalfMask = _mm_set1_epi16(short(0xFFE0));
    const __m128i highHalf = _mm_set1_epi16(0x0080);
    __m128i allBits = _mm_setzero_si128();
    __m128i highHalfHits = _mm_setzero_si128();
    for (; i + 16 <= size; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + i + 8));
        allBits = _mm_or_si128(allBits, _mm_or_si128(a, b));
        highHalfHits = _mm_or_si128(highHalfHits,
                                    _mm_or_si128(_mm_cmpeq_epi16(_mm_and_si128(a, highHalfMask), highHalf),
                                                 _mm_cmpeq_epi16(_mm_and_si128(b, highHalfMask), highHalf)));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i), _mm_packus_epi16(a, b));
    }
    allBits = _mm_or_si128(allBits, _mm_srli_si128(allBits, 8));
    allBits = _mm_or_si128(allBits, _mm_srli_si128(allBits, 4));
    allBits = _mm_or_si128(allBits, _mm_srli_si128(allBits, 2));
    all = char16_t(_mm_extract_epi16(allBits, 0));
    inHighHalf = _mm_movemask_epi8(highHalfHits) != 0;
#endif
    for (; i < size; ++i) {
        const char16_t c = in[i];
        out[i] = char(c);
        all |= c;
        inHighHalf |= (c & 0xFFE0) == 0x0080;
    }
    *seen = all;
    return all <= 0xFF && !inHighHalf;
}

// The length of the UTF-8 sequence that `lead` starts: 0 for a byte that starts none.
int utf8SequenceLength(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

bool hasNonAscii(const unsigned char *bytes, qsizetype size)
{
    unsigned char all = 0;
    for (qsizetype i = 0; i < size; ++i)
        all |= bytes[i];
    return all & 0x80;
}

} // namespace

namespace CodePage {

QString decodeWindows1252(const char *data, qsizetype size)
{
    QString text = QString::fromLatin1(data, size);
    unsigned hasHighHalf = 0;
    for (qsizetype i = 0; i < size; ++i)
        hasHighHalf |= unsigned(static_cast<unsigned char>(data[i] - char(0x80)) < 0x20);
    if (hasHighHalf) {
        QChar *out = text.data();
        for (qsizetype i = 0; i < size; ++i) {
            const auto byte = static_cast<unsigned char>(data[i]);
            if (byte >= 0x80 && byte < 0xA0)
                out[i] = QChar(HighHalf[byte - 0x80]);
        }
    }
    return text;
}

qsizetype toWindows1252(QStringView text, char *out, bool *nonAscii)
{
    const char16_t *in = text.utf16();
    char16_t seen = 0;
    if (narrowPlainLatin1(in, text.size(), out, &seen)) {
        if (nonAscii && seen >= 0x80)
            *nonAscii = true;
        return text.size();
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int byte = windows1252Byte(in[i]);
        if (byte < 0)
            return i;
        if (nonAscii && byte >= 0x80)
            *nonAscii = true;
        out[i] = char(byte);
    }
    return text.size();
}

qsizetype toAsciiWithReferences(QStringView text, char *out)
{
    const char16_t *in = text.utf16();
    const qsizetype size = text.size();
    char *written = out;
    qsizetype i = 0;
    while (i < size) {
#ifdef __SSE2__
        if (i + 16 <= size) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + i));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + i + 8));
            // Stored whole: what follows the first other character is written over.
            _mm_storeu_si128(reinterpret_cast<__m128i *>(written), _mm_packus_epi16(a, b));
            const __m128i nonAsciiBits = _mm_set1_epi16(short(0xFF80));
            const auto asciiMask = [&nonAsciiBits](__m128i chars) {
                return unsigned(
                    _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(chars, nonAsciiBits), _mm_setzero_si128())));
            };
            const unsigned ascii = asciiMask(a) | asciiMask(b) << 16;
            const qsizetype count = ascii == 0xFFFFFFFF ? 16 : qCountTrailingZeroBits(~ascii) / 2;
            i += count;
            written += count;
            if (count == 16)
                continue;
        }
#endif
        const char16_t c = in[i++];
        if (c < 0x80) {
            *written++ = char(c);
            continue;
        }
        char32_t codePoint = c;
        if (QChar::isHighSurrogate(c) && i < size && QChar::isLowSurrogate(in[i]))
            codePoint = QChar::surrogateToUcs4(c, in[i++]);
        *written++ = '&';
        *written++ = '#';
        written = std::to_chars(written, written + 7, quint32(codePoint)).ptr;
        *written++ = ';';
    }
    return written - out;
}

void Utf8Detector::feed(const char *data, qsizetype size)
{
    if (!m_valid || size == 0)
        return;
    if (!m_pending.isEmpty()) {
        // Complete the sequence cut at the last block's end before looking further.
        const qsizetype used = qMin(size, utf8SequenceLength(uchar(m_pending.at(0))) - m_pending.size());
        m_pending.append(data, used);
        data += used;
        size -= used;
        if (m_pending.size() < utf8SequenceLength(uchar(m_pending.at(0))))
            return;
        m_valid = QByteArrayView(m_pending).isValidUtf8();
        m_pending.clear();
        if (!m_valid)
            return;
    }
    // A sequence that the block's end cuts waits for the next block; a byte that starts none is
    // left for the check to refuse.
    const auto *bytes = reinterpret_cast<const unsigned char *>(data);
    qsizetype whole = size;
    for (qsizetype i = size - 1; i >= 0 && i >= size - 3; --i) {
        if ((bytes[i] & 0xC0) != 0x80) {
            if (i + utf8SequenceLength(bytes[i]) > size)
                whole = i;
            break;
        }
    }
    m_valid = QByteArrayView(data, whole).isValidUtf8();
    if (!m_valid)
        return;
    m_pending = QByteArray(data + whole, size - whole);
    m_nonAscii = m_nonAscii || !m_pending.isEmpty() || hasNonAscii(bytes, whole);
}

} // namespace CodePage
