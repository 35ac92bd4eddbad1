#include "codepage.h"

#include <cstring>

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

// Length of the UTF-8 sequence starting with `lead` that is valid so far over `available` bytes:
// 0 for an invalid sequence, otherwise its full length (which may exceed `available`).
int utf8SequenceLength(const unsigned char *s, qsizetype available)
{
    const unsigned char lead = s[0];
    int length;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    for (int k = 1; k < length && k < available; ++k) {
        const unsigned char c = s[k];
        if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF))
            return 0;
    }
    return length;
}

constexpr qsizetype Invalid = -1;

// Validates UTF-8; returns Invalid, or the number of bytes at the end that start a sequence the
// data stops inside of.
qsizetype validateUtf8(const unsigned char *s, qsizetype size, bool *nonAscii)
{
    qsizetype i = 0;
    while (i < size) {
        if (size - i >= 8) {
            quint64 word;
            std::memcpy(&word, s + i, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        if (s[i] < 0x80) {
            ++i;
            continue;
        }
        *nonAscii = true;
        const int length = utf8SequenceLength(s + i, size - i);
        if (length == 0)
            return Invalid;
        if (i + length > size)
            return size - i;
        i += length;
    }
    return 0;
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

void Utf8Detector::feed(const char *data, qsizetype size)
{
    if (!m_valid || size == 0)
        return;
    const auto *bytes = reinterpret_cast<const unsigned char *>(data);
    if (!m_pending.isEmpty()) {
        // Complete the sequence cut at the last block's end before looking further.
        const qsizetype missing = qMin<qsizetype>(size, 4 - m_pending.size());
        m_pending.append(data, missing);
        const int length =
            utf8SequenceLength(reinterpret_cast<const unsigned char *>(m_pending.constData()), m_pending.size());
        if (length == 0) {
            m_valid = false;
            return;
        }
        if (length > m_pending.size())
            return;
        const qsizetype used = length - (m_pending.size() - missing);
        m_pending.clear();
        bytes += used;
        size -= used;
    }
    const qsizetype cut = validateUtf8(bytes, size, &m_nonAscii);
    if (cut == Invalid)
        m_valid = false;
    else if (cut > 0)
        m_pending = QByteArray(reinterpret_cast<const char *>(bytes + size - cut), cut);
}

} // namespace CodePage
