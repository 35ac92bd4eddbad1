#include "catalogueformat.h"

#include "catalogue.h"
#include "chunkedoutput.h"
#include "codepage.h"

#include <QBuffer>
#include <QStringDecoder>

#include <cstring>

namespace {

using Decoder = QString (*)(const char *, qsizetype);

QString decodeUtf8(const char *data, qsizetype size)
{
    // QString::fromUtf8() would drop a U+FEFF that starts a value; the file's own mark is gone by now.
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decode(QByteArrayView(data, size));
}

QString decodeWindows1252(const char *data, qsizetype size)
{
    return CodePage::decodeWindows1252(data, size);
}

Decoder decoderFor(const CodePage::Utf8Detector &detector)
{
    return detector.isUtf8WithNonAscii() ? &decodeUtf8 : &decodeWindows1252;
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Parses the key/value pairs of a file handed over in blocks. Only whole pairs are applied: a pair
// that runs past the end of a block that is not the last is left for the next call, which gets
// it again with more bytes behind it.
class PairParser
{
public:
    PairParser(Decoder decode, CatalogueFormat::Parsed &parsed) : m_decode(decode), m_parsed(parsed) {}

    // Returns how many bytes of `data` were used; all of them when `final`.
    qsizetype feed(const char *data, qsizetype size, bool final)
    {
        m_data = data;
        m_size = size;
        m_final = final;
        m_unclosedBefore = -1;
        qsizetype pos = resume();
        if (m_skipping != Skip::Nothing)
            return pos;
        for (;;) {
            while (pos < m_size && (isBlank(m_data[pos]) || isLineEnd(m_data[pos])))
                ++pos;
            if (pos == m_size)
                return pos;
            m_parsed.hasText = true;
            const qsizetype next = parsePair(pos);
            if (next == NeedMore)
                return pos;
            pos = next;
        }
    }

private:
    static constexpr qsizetype NeedMore = -1;
    // "Short Description:" and "Long Description:": a key that has run on longer is none of the five.
    static constexpr qsizetype LongestKey = 18;

    // Text that no record can take in and that runs past the data handed over, with more to come:
    // it is read through and dropped, so that a file without line ends or commas (NUL bytes, say)
    // is never held whole, while where it ends is still found.
    enum class Skip {
        Nothing,
        BareKey, // the rest of a key that is none of the five, to its comma or line end
        QuotedKey, // the same, quoted: to its closing quote or line end
        AfterKey, // the rest of the pair of such a key, from just after the key
        LineRest, // the rest of a line whose pair has been applied
    };

    struct Span
    {
        qsizetype start = 0;
        qsizetype end = 0;
    };

    // First position at or after `pos` holding one of the stop characters, or m_size.
    template <typename Stop>
    qsizetype find(qsizetype pos, Stop stop) const
    {
        while (pos < m_size && !stop(m_data[pos]))
            ++pos;
        return pos;
    }

    qsizetype skipBlanks(qsizetype pos) const
    {
        return find(pos, [](char c) { return !isBlank(c); });
    }

    // Past the end of the data, with more to come: the caller must wait for it.
    bool runsOut(qsizetype pos) const { return pos >= m_size && !m_final; }

    qsizetype keyEnd(qsizetype pos, bool quoted) const
    {
        if (quoted)
            return find(pos, [](char c) { return c == '"' || isLineEnd(c); });
        return find(pos, [](char c) { return c == ',' || isLineEnd(c); });
    }

    qsizetype pastKey(qsizetype end, bool quoted) const
    {
        return quoted && end < m_size && m_data[end] == '"' ? end + 1 : end;
    }

    // Goes on with what the previous data left to skip. Returns where the next pair starts, or,
    // while m_skipping still names a skip, how much of the data was used.
    qsizetype resume()
    {
        qsizetype from = 0;
        switch (m_skipping) {
        case Skip::Nothing:
            return 0;
        case Skip::LineRest: {
            const qsizetype end = find(0, isLineEnd);
            if (runsOut(end))
                return m_size;
            m_skipping = Skip::Nothing;
            return end;
        }
        case Skip::BareKey:
        case Skip::QuotedKey: {
            const bool quoted = m_skipping == Skip::QuotedKey;
            const qsizetype end = keyEnd(0, quoted);
            if (runsOut(end))
                return m_size;
            from = pastKey(end, quoted);
            m_skipping = Skip::AfterKey;
            break;
        }
        case Skip::AfterKey:
            break;
        }
        const qsizetype next = parseAfterKey(from, Span{});
        if (next == NeedMore)
            return from;
        if (m_skipping == Skip::AfterKey)
            m_skipping = Skip::Nothing;
        return next;
    }

    qsizetype parsePair(qsizetype pos)
    {
        const bool quoted = m_data[pos] == '"';
        Span key;
        key.start = quoted ? pos + 1 : pos;
        key.end = keyEnd(key.start, quoted);
        if (runsOut(key.end)) {
            if (key.end - key.start <= LongestKey)
                return NeedMore;
            m_skipping = quoted ? Skip::QuotedKey : Skip::BareKey;
            return m_size;
        }
        return parseAfterKey(pastKey(key.end, quoted), key);
    }

    // An empty key is none of the five.
    qsizetype parseAfterKey(qsizetype pos, const Span &key)
    {
        pos = skipBlanks(pos);
        if (runsOut(pos))
            return NeedMore;
        Span value{pos, pos};
        if (pos < m_size && m_data[pos] == ',') {
            pos = skipBlanks(pos + 1);
            if (runsOut(pos))
                return NeedMore;
            if (pos < m_size && m_data[pos] == '"') {
                pos = readQuotedValue(pos + 1, value);
                if (pos == NeedMore)
                    return NeedMore;
            } else {
                value = {pos, find(pos, [](char c) { return c == ',' || isLineEnd(c); })};
                pos = value.end;
            }
        }
        const qsizetype lineEnd = find(pos, isLineEnd);
        if (runsOut(lineEnd)) {
            // What follows the value on its line is dropped: once the value is whole, or when no
            // record takes it, the rest of the line need not be held.
            if (pos == m_size && takesValue(key))
                return NeedMore;
            apply(key, value);
            m_skipping = Skip::LineRest;
            return m_size;
        }
        apply(key, value);
        return lineEnd;
    }

    // The writer does not escape quotes, so a quote inside a value looks like the one that closes
    // it. Only a line that holds a quote can end a value, at its last quote, and only when the next
    // line with text starts like a key line or the data ends: a value without quotes therefore
    // always runs to the quote the writer closed it with, whatever its lines look like. A line that
    // starts with one of the five keys quoted and a comma is never taken in, so that a value left
    // open by another editor does not swallow the records after it.
    qsizetype readQuotedValue(qsizetype start, Span &value)
    {
        if (start < m_unclosedBefore)
            return readUnclosedValue(start, value);
        for (qsizetype pos = start;;) {
            const qsizetype quote = findQuote(pos);
            if (quote == m_size) {
                if (!m_final)
                    return NeedMore;
                m_unclosedBefore = m_size;
                return readUnclosedValue(start, value);
            }
            if (startsLaterLine(start, quote)) {
                const int known = startsWithQuotedKey(quote);
                if (known < 0)
                    return NeedMore;
                if (known) {
                    m_unclosedBefore = quote;
                    return readUnclosedValue(start, value);
                }
            }
            const qsizetype lineEnd = findLineEnd(quote);
            if (runsOut(lineEnd))
                return NeedMore;
            const int keyLine = nextTextStartsKeyLine(lineEnd);
            if (keyLine < 0)
                return NeedMore;
            if (keyLine) {
                value = {start, lastQuote(quote, lineEnd)};
                return lineEnd;
            }
            pos = lineEnd;
        }
    }

    // A value that no line ends before a quoted key line or the end of the data (its closing quote
    // is missing, or a stray line follows it) ends before the first line that starts like a key
    // line: at the last quote before it, or, without one, with the line of text before it.
    qsizetype readUnclosedValue(qsizetype start, Span &value) const
    {
        qsizetype lineEnd = findLineEnd(start);
        for (;;) {
            const int keyLine = nextTextStartsKeyLine(lineEnd);
            if (keyLine < 0)
                return NeedMore;
            if (keyLine)
                break;
            lineEnd = findLineEnd(lineEnd + 1);
        }
        const qsizetype quote = lastQuote(start, lineEnd);
        value = {start, quote >= 0 ? quote : lineEnd};
        return lineEnd;
    }

    // True when the quote at `quote` is the first thing but blanks on a line after the value's first.
    bool startsLaterLine(qsizetype start, qsizetype quote) const
    {
        qsizetype pos = quote;
        while (pos > start && isBlank(m_data[pos - 1]))
            --pos;
        return pos > start && isLineEnd(m_data[pos - 1]);
    }

    // 1 when one of the five keys, quoted, and a comma follow, 0 when not, -1 when the data ends
    // before that can be told.
    int startsWithQuotedKey(qsizetype quote) const
    {
        static const char *const Keys[] = {"Name:\"", "Location:\"", "Short Description:\"", "Long Description:\"",
                                           "Total Pictures:\""};
        for (const char *key : Keys) {
            const auto length = qsizetype(std::strlen(key));
            const qsizetype available = qMin(length, m_size - quote - 1);
            if (std::memcmp(m_data + quote + 1, key, size_t(available)) != 0)
                continue;
            if (available < length)
                return m_final ? 0 : -1;
            const qsizetype after = skipBlanks(quote + 1 + length);
            if (after >= m_size)
                return m_final ? 0 : -1;
            return m_data[after] == ',' ? 1 : 0;
        }
        return 0;
    }

    // Values are most of a file: quotes are looked for with the C library's vectorised search.
    qsizetype findQuote(qsizetype pos) const
    {
        const void *quote = std::memchr(m_data + pos, '"', size_t(m_size - pos));
        return quote ? static_cast<const char *>(quote) - m_data : m_size;
    }

    // Called from a quote, usually just before the line end: a byte loop, where searching for either
    // line end with memchr() would scan far past it in files with one kind of line end only.
    qsizetype findLineEnd(qsizetype pos) const { return find(pos, isLineEnd); }

    qsizetype lastQuote(qsizetype from, qsizetype to) const
    {
#if defined(__GLIBC__) && !defined(CATALOGUE_PORTABLE_FILEIO)
        const void *quote = ::memrchr(m_data + from, '"', size_t(to - from));
        return quote ? static_cast<const char *>(quote) - m_data : -1;
#else
        // memrchr() is the GNU C library's.
        for (qsizetype at = to; at > from;) {
            if (m_data[--at] == '"')
                return at;
        }
        return -1;
#endif
    }

    // 1 when the next line with text starts like a key line or there is none, 0 when not, -1 when
    // the data ends before that can be told. A key line starts with a quoted item and a comma, or
    // with one of the five keys unquoted and a comma, as other editors write them.
    int nextTextStartsKeyLine(qsizetype pos) const
    {
        pos = find(pos, [](char c) { return !isBlank(c) && !isLineEnd(c); });
        if (pos >= m_size)
            return m_final ? 1 : -1;
        if (m_data[pos] == '"') {
            const qsizetype close = find(pos + 1, [](char c) { return c == '"' || isLineEnd(c); });
            if (close >= m_size)
                return m_final ? 0 : -1;
            if (m_data[close] != '"')
                return 0;
            const qsizetype after = skipBlanks(close + 1);
            if (after >= m_size)
                return m_final ? 0 : -1;
            return m_data[after] == ',' ? 1 : 0;
        }
        return startsWithBareKey(pos);
    }

    int startsWithBareKey(qsizetype pos) const
    {
        static const char *const Keys[] = {"Name:,", "Location:,", "Short Description:,", "Long Description:,",
                                           "Total Pictures:,"};
        bool undecided = false;
        for (const char *key : Keys) {
            const auto length = qsizetype(std::strlen(key));
            const qsizetype available = qMin(length, m_size - pos);
            if (std::memcmp(m_data + pos, key, size_t(available)) != 0)
                continue;
            if (available == length)
                return 1;
            undecided = true;
        }
        return undecided && !m_final ? -1 : 0;
    }

    bool keyIs(const Span &key, const char *name) const
    {
        const auto length = qsizetype(std::strlen(name));
        return key.end - key.start == length && std::memcmp(m_data + key.start, name, size_t(length)) == 0;
    }

    // Whether applying a pair with this key changes what is read.
    bool takesValue(const Span &key) const
    {
        if (keyIs(key, "Name:"))
            return true;
        return m_current >= 0
            && (keyIs(key, "Location:") || keyIs(key, "Short Description:") || keyIs(key, "Long Description:")
                || keyIs(key, "Total Pictures:"));
    }

    QString text(const Span &span) const
    {
        return m_decode(m_data + span.start, span.end - span.start);
    }

    void apply(const Span &key, const Span &value)
    {
        if (keyIs(key, "Name:")) {
            if (m_parsed.projects.size() >= Catalogue::MaxProjects) {
                ++m_parsed.droppedRecords;
                m_current = -1;
                return;
            }
            m_parsed.projects.append(ProjectInfo{});
            m_current = m_parsed.projects.size() - 1;
            m_parsed.projects.last().Name = text(value);
            return;
        }
        // A key line before the first record, or belonging to a dropped one, has nothing to fill.
        if (m_current < 0)
            return;
        ProjectInfo &project = m_parsed.projects[m_current];
        if (keyIs(key, "Location:")) {
            project.Location = text(value);
        } else if (keyIs(key, "Short Description:")) {
            project.ShortDesc = text(value);
        } else if (keyIs(key, "Long Description:")) {
            project.LongDesc = text(value);
        } else if (keyIs(key, "Total Pictures:")) {
            bool ok = false;
            const short pics = QByteArray(m_data + value.start, value.end - value.start).trimmed().toShort(&ok);
            if (ok)
                project.Pics = pics;
        }
    }

    Decoder m_decode;
    CatalogueFormat::Parsed &m_parsed;
    qsizetype m_current = -1;
    const char *m_data = nullptr;
    qsizetype m_size = 0;
    bool m_final = false;
    // Values that start before this position run into the same quoted key line or the end of the
    // data without a line that ends them: an unclosed value's lines are not searched again for
    // each pair read after it.
    qsizetype m_unclosedBefore = -1;
    Skip m_skipping = Skip::Nothing;
};

constexpr QLatin1String NameKey("\"Name:\",\"");
constexpr QLatin1String LocationKey("\"Location:\",\"");
constexpr QLatin1String ShortKey("\"Short Description:\",\"");
constexpr QLatin1String LongKey("\"Long Description:\",\"");
constexpr QLatin1String PicsKey("\"Total Pictures:\",");
constexpr QLatin1String LineEnd("\"\r\n");
constexpr QLatin1String CountEnd("\r\n");

// Appends the records, each text through `appendText`, which returns false when it cannot hold
// the text; then false is returned after that record.
template <typename AppendText>
bool appendRecords(ChunkedOutput &out, const QList<ProjectInfo> &projects, AppendText appendText)
{
    for (const ProjectInfo &p : projects) {
        bool held = true;
        const auto line = [&](QLatin1String key, const QString &text) {
            out.append(key);
            held = appendText(text) && held;
            out.append(LineEnd);
        };
        line(NameKey, p.Name);
        line(LocationKey, p.Location);
        line(ShortKey, p.ShortDesc);
        line(LongKey, p.LongDesc);
        out.append(PicsKey);
        out.appendNumber(p.Pics);
        out.append(CountEnd);
        if (!held)
            return false;
    }
    return true;
}

constexpr char Utf8Mark[] = "\xEF\xBB\xBF";

enum class Mark { None, Utf8, Utf16LE, Utf16BE };

Mark markAt(const QByteArray &start)
{
    if (start.startsWith(Utf8Mark))
        return Mark::Utf8;
    if (start.startsWith("\xFF\xFE"))
        return Mark::Utf16LE;
    if (start.startsWith("\xFE\xFF"))
        return Mark::Utf16BE;
    return Mark::None;
}

// The rest of the device after what was read already; false when the device fails.
bool readRest(QIODevice &device, QByteArray &bytes)
{
    char block[1 << 16];
    for (;;) {
        const qint64 got = device.read(block, sizeof block);
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        bytes.append(block, got);
    }
}

CatalogueFormat::Parsed readBytes(const char *data, qsizetype size, FileEncoding encoding)
{
    CatalogueFormat::Parsed parsed;
    parsed.encoding = encoding;
    CodePage::Utf8Detector detector;
    detector.feed(data, size);
    PairParser parser(decoderFor(detector), parsed);
    parser.feed(data, size, true);
    return parsed;
}

bool isBlankChar(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isLineEndChar(QChar c)
{
    return c == u'\r' || c == u'\n';
}

qsizetype skipBlanks(QStringView text, qsizetype pos)
{
    while (pos < text.size() && isBlankChar(text[pos]))
        ++pos;
    return pos;
}

// The length of the key (bare, colon included) that `text` holds at `pos`; 0 for none.
qsizetype keyAt(QStringView text, qsizetype pos)
{
    static const QLatin1String Keys[] = {QLatin1String("Name:"), QLatin1String("Location:"),
                                         QLatin1String("Short Description:"), QLatin1String("Long Description:"),
                                         QLatin1String("Total Pictures:")};
    const QStringView rest = text.mid(pos);
    for (const QLatin1String key : Keys) {
        if (rest.startsWith(key))
            return key.size();
    }
    return 0;
}

bool commaAfterBlanks(QStringView text, qsizetype pos)
{
    pos = skipBlanks(text, pos);
    return pos < text.size() && text[pos] == u',';
}

// How the reader knows a key line: a quoted item and a comma, or one of the keys bare and a comma.
bool keyLineAt(QStringView text, qsizetype pos)
{
    if (text[pos] == u'"') {
        qsizetype close = pos + 1;
        while (close < text.size() && text[close] != u'"' && !isLineEndChar(text[close]))
            ++close;
        return close < text.size() && text[close] == u'"' && commaAfterBlanks(text, close + 1);
    }
    const qsizetype key = keyAt(text, pos);
    return key > 0 && pos + key < text.size() && text[pos + key] == u',';
}

// The C library's byte search is several times faster than a search for a UTF-16 unit, and every
// text is searched at each save; a byte of another character that happens to match is passed over.
bool holdsQuote(const QString &text)
{
    const char *bytes = reinterpret_cast<const char *>(text.utf16());
    const size_t size = size_t(text.size()) * sizeof(char16_t);
    for (size_t at = 0; at < size;) {
        const void *hit = std::memchr(bytes + at, '"', size - at);
        if (!hit)
            return false;
        const size_t offset = size_t(static_cast<const char *>(hit) - bytes);
        if (text.at(qsizetype(offset / sizeof(char16_t))) == u'"')
            return true;
        at = offset + 1;
    }
    return false;
}

bool quotedKeyAt(QStringView text, qsizetype pos)
{
    if (pos >= text.size() || text[pos] != u'"')
        return false;
    const qsizetype close = pos + 1 + keyAt(text, pos + 1);
    return close > pos + 1 && close < text.size() && text[close] == u'"' && commaAfterBlanks(text, close + 1);
}

} // namespace

namespace CatalogueFormat {

bool comesBackExactly(const QString &text)
{
    // Both shapes hold a quote: one vectorised search settles nearly every text.
    if (!holdsQuote(text))
        return true;
    const QStringView view(text);
    for (qsizetype start = 0; start < view.size();) {
        qsizetype end = start;
        while (end < view.size() && !isLineEndChar(view[end]))
            ++end;
        if (start > 0 && quotedKeyAt(view, skipBlanks(view, start)))
            return false;
        if (end < view.size() && view.mid(start, end - start).contains(u'"')) {
            qsizetype next = end;
            while (next < view.size() && (isLineEndChar(view[next]) || isBlankChar(view[next])))
                ++next;
            if (next < view.size() && keyLineAt(view, next))
                return false;
        }
        start = end + 1;
    }
    return true;
}

qsizetype firstRecordNotComingBack(const QList<ProjectInfo> &projects)
{
    for (qsizetype i = 0; i < projects.size(); ++i) {
        const ProjectInfo &p = projects.at(i);
        if (!comesBackExactly(p.Name) || !comesBackExactly(p.Location) || !comesBackExactly(p.ShortDesc)
            || !comesBackExactly(p.LongDesc))
            return i;
    }
    return -1;
}

Parsed read(const QByteArray &bytes)
{
    switch (markAt(bytes.first(qMin<qsizetype>(3, bytes.size())))) {
    case Mark::Utf8:
        return readBytes(bytes.constData() + 3, bytes.size() - 3, FileEncoding::Utf8WithByteOrderMark);
    case Mark::Utf16LE:
    case Mark::Utf16BE: {
        // Read as the same text in UTF-8, which is how it is saved again.
        QStringDecoder decode(markAt(bytes) == Mark::Utf16LE ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        const QByteArray utf8 = QString(decode(bytes)).toUtf8();
        return readBytes(utf8.constData(), utf8.size(), FileEncoding::Utf8WithByteOrderMark);
    }
    case Mark::None:
        break;
    }
    return readBytes(bytes.constData(), bytes.size(), FileEncoding::Plain);
}

std::optional<Parsed> read(QIODevice &device, qint64 blockSize)
{
    QByteArray start(3, Qt::Uninitialized);
    const qint64 got = device.read(start.data(), start.size());
    if (got < 0)
        return std::nullopt;
    start.truncate(got);
    const Mark mark = markAt(start);
    if (mark == Mark::Utf16LE || mark == Mark::Utf16BE) {
        // Such files come from editors, small; they are converted whole.
        if (!readRest(device, start))
            return std::nullopt;
        return read(start);
    }
    const qint64 origin = mark == Mark::Utf8 ? 3 : 0;
    Parsed parsed;
    parsed.encoding = mark == Mark::Utf8 ? FileEncoding::Utf8WithByteOrderMark : FileEncoding::Plain;
    QByteArray buffer(blockSize, Qt::Uninitialized);

    // First pass: which code page. A Windows-1252 file usually shows itself in its first block.
    CodePage::Utf8Detector detector;
    if (!device.seek(origin))
        return std::nullopt;
    while (!detector.decided()) {
        const qint64 got = device.read(buffer.data(), blockSize);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        detector.feed(buffer.constData(), got);
    }
    if (!device.seek(origin))
        return std::nullopt;

    PairParser parser(decoderFor(detector), parsed);
    qsizetype kept = 0;
    for (;;) {
        if (buffer.size() < kept + blockSize)
            buffer.resize(kept + blockSize);
        const qint64 got = device.read(buffer.data() + kept, blockSize);
        if (got < 0)
            return std::nullopt;
        const qsizetype available = kept + qsizetype(got);
        const qsizetype used = parser.feed(buffer.constData(), available, got == 0);
        if (got == 0)
            return parsed;
        kept = available - used;
        std::memmove(buffer.data(), buffer.constData() + used, size_t(kept));
        // A value longer than a block: read more at a time, so it is scanned a few times only.
        if (used == 0)
            blockSize *= 2;
    }
}

bool write(const QList<ProjectInfo> &projects, QIODevice &device, FileEncoding encoding)
{
    if (encoding == FileEncoding::Utf8WithByteOrderMark) {
        ChunkedOutput out(device);
        out.append(Utf8Mark, 3);
        appendRecords(out, projects, [&](const QString &text) {
            out.append(text.toUtf8());
            return true;
        });
        return out.finish();
    }
    const qint64 start = device.pos();
    CodePage::Utf8Detector detector;
    bool representable;
    {
        ChunkedOutput out(device);
        out.watch(&detector);
        bool nonAscii = false;
        representable =
            appendRecords(out, projects, [&](const QString &text) { return out.appendWindows1252(text, &nonAscii); });
        if (!out.finish())
            return false;
    }
    // Windows-1252 bytes that happen to form valid UTF-8 (such as "Ã©") would be read back as
    // UTF-8 and change; UTF-8 keeps them, as it keeps what Windows-1252 cannot hold. UTF-8 is never
    // shorter, so writing it from the start covers all that was written.
    if (representable && !detector.isUtf8WithNonAscii())
        return true;
    if (!device.seek(start))
        return false;
    ChunkedOutput utf8(device);
    appendRecords(utf8, projects, [&](const QString &text) {
        utf8.append(text.toUtf8());
        return true;
    });
    return utf8.finish();
}

QByteArray write(const QList<ProjectInfo> &projects, FileEncoding encoding)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    write(projects, buffer, encoding);
    return buffer.data();
}

} // namespace CatalogueFormat
