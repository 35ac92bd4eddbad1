#include "catalogueformat.h"

#include "catalogue.h"
#include "codepage.h"

namespace {

const QLatin1String NameKey("Name:");
const QLatin1String LocationKey("Location:");
const QLatin1String ShortKey("Short Description:");
const QLatin1String LongKey("Long Description:");
const QLatin1String PicsKey("Total Pictures:");

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

class Reader
{
public:
    explicit Reader(QStringView text) : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }

    void skipBlankSpace()
    {
        while (!atEnd() && (isBlank(m_text[m_pos]) || isLineEnd(m_text[m_pos])))
            ++m_pos;
    }

    // A key is a quoted item (keys never hold quotes) or an item up to a comma or line end.
    QStringView readKey()
    {
        if (m_text[m_pos] == u'"') {
            const qsizetype start = m_pos + 1;
            qsizetype close = start;
            while (close < m_text.size() && m_text[close] != u'"' && !isLineEnd(m_text[close]))
                ++close;
            m_pos = close < m_text.size() && m_text[close] == u'"' ? close + 1 : close;
            return m_text.mid(start, close - start);
        }
        return readBareItem();
    }

    // Moves past the comma that separates key and value; false when the line ends first.
    bool skipSeparator()
    {
        while (!atEnd() && isBlank(m_text[m_pos]))
            ++m_pos;
        if (!atEnd() && m_text[m_pos] == u',') {
            ++m_pos;
            while (!atEnd() && isBlank(m_text[m_pos]))
                ++m_pos;
            return true;
        }
        return false;
    }

    QString readValue()
    {
        if (atEnd() || isLineEnd(m_text[m_pos]))
            return QString();
        if (m_text[m_pos] == u'"')
            return readQuotedValue();
        const QString value = readBareItem().toString();
        skipRestOfLine();
        return value;
    }

    void skipRestOfLine()
    {
        while (!atEnd() && !isLineEnd(m_text[m_pos]))
            ++m_pos;
    }

private:
    QStringView readBareItem()
    {
        const qsizetype start = m_pos;
        while (!atEnd() && m_text[m_pos] != u',' && !isLineEnd(m_text[m_pos]))
            ++m_pos;
        return m_text.mid(start, m_pos - start);
    }

    // The writer does not escape quotes, so a quote ends the value only where the line ends
    // after it and the next line with text (if any) starts like a key line. Files without quotes
    // inside values read exactly as if the first quote ended the value.
    QString readQuotedValue()
    {
        const qsizetype start = m_pos + 1;
        for (qsizetype q = start; q < m_text.size(); ++q) {
            if (m_text[q] != u'"')
                continue;
            qsizetype after = q + 1;
            while (after < m_text.size() && isBlank(m_text[after]))
                ++after;
            if (after < m_text.size() && !isLineEnd(m_text[after]))
                continue;
            if (nextTextStartsKeyLine(after)) {
                m_pos = after;
                return m_text.mid(start, q - start).toString();
            }
        }
        // The file ends inside the value: keep all of it rather than lose the record.
        qsizetype end = m_text.size();
        while (end > start && isLineEnd(m_text[end - 1]))
            --end;
        m_pos = m_text.size();
        return m_text.mid(start, end - start).toString();
    }

    bool nextTextStartsKeyLine(qsizetype pos) const
    {
        while (pos < m_text.size() && (isBlank(m_text[pos]) || isLineEnd(m_text[pos])))
            ++pos;
        if (pos >= m_text.size())
            return true;
        if (m_text[pos] != u'"')
            return false;
        ++pos;
        while (pos < m_text.size() && m_text[pos] != u'"' && !isLineEnd(m_text[pos]))
            ++pos;
        return pos + 1 < m_text.size() && m_text[pos] == u'"' && m_text[pos + 1] == u',';
    }

    QStringView m_text;
    qsizetype m_pos = 0;
};

void appendLine(QString &out, QLatin1String key, const QString &value)
{
    out += u'"';
    out += key;
    out += QLatin1String("\",\"");
    out += value;
    out += QLatin1String("\"\r\n");
}

} // namespace

namespace CatalogueFormat {

Parsed parse(QStringView text)
{
    Parsed parsed;
    ProjectInfo *current = nullptr;
    Reader reader(text);
    reader.skipBlankSpace();
    while (!reader.atEnd()) {
        const QStringView key = reader.readKey();
        const QString value = reader.skipSeparator() ? reader.readValue() : QString();
        reader.skipRestOfLine();
        reader.skipBlankSpace();

        if (key == NameKey) {
            if (parsed.projects.size() >= Catalogue::MaxProjects) {
                ++parsed.droppedRecords;
                current = nullptr;
                continue;
            }
            parsed.projects.append(ProjectInfo{});
            current = &parsed.projects.last();
            current->Name = value;
            continue;
        }
        // A key line before the first record, or belonging to a dropped one, has nothing to fill.
        if (!current)
            continue;
        if (key == LocationKey) {
            current->Location = value;
        } else if (key == ShortKey) {
            current->ShortDesc = value;
        } else if (key == LongKey) {
            current->LongDesc = value;
        } else if (key == PicsKey) {
            bool ok = false;
            const short pics = value.trimmed().toShort(&ok);
            if (ok)
                current->Pics = pics;
        }
    }
    return parsed;
}

QString format(const QList<ProjectInfo> &projects)
{
    QString out;
    qsizetype size = 0;
    for (const ProjectInfo &p : projects)
        size += 96 + p.Name.size() + p.Location.size() + p.ShortDesc.size() + p.LongDesc.size();
    out.reserve(size);
    for (const ProjectInfo &p : projects) {
        appendLine(out, NameKey, p.Name);
        appendLine(out, LocationKey, p.Location);
        appendLine(out, ShortKey, p.ShortDesc);
        appendLine(out, LongKey, p.LongDesc);
        out += u'"';
        out += PicsKey;
        out += QLatin1String("\",");
        out += QString::number(p.Pics);
        out += QLatin1String("\r\n");
    }
    return out;
}

Parsed read(const QByteArray &bytes)
{
    return parse(CodePage::decodeCatalogueText(bytes));
}

QByteArray write(const QList<ProjectInfo> &projects)
{
    return CodePage::encodeCatalogueText(format(projects));
}

} // namespace CatalogueFormat
