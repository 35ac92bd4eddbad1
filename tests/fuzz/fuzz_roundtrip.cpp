// Records built from the fuzzer's bytes: what the writer saves, the reader gives back unchanged,
// and every page writer finishes on them. Values holding a line that starts like a key line
// ("...", directly followed by a comma) are outside what the file format can carry.
#include "catalogueformat.h"
#include "pages.h"

#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

const char32_t Alphabet[] = {U'"', U',', U'\r', U'\n', U' ', U'\t', U'a', U'N', U':', U'é', U'€',
                             U'Ω', U'日', U'🌉', 0x81, 0, U'Ã', U'©', U'<', U'&'};

QString makeText(FuzzedDataProvider &input)
{
    QString text;
    const size_t length = input.ConsumeIntegralInRange<size_t>(0, 40);
    for (size_t i = 0; i < length && input.remaining_bytes() > 0; ++i) {
        char32_t c = input.ConsumeBool() ? Alphabet[input.ConsumeIntegralInRange<size_t>(0, std::size(Alphabet) - 1)]
                                         : input.ConsumeIntegralInRange<char32_t>(0, 0x10FFFF);
        if (c >= 0xD800 && c <= 0xDFFF)
            c = U'?';
        text.append(QString::fromUcs4(&c, 1));
    }
    return text;
}

bool isBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

// Mirrors what the reader takes for the start of a key line.
bool holdsKeyLikeLine(const QString &value)
{
    const QString text = value + QStringLiteral("\"\r\n");
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isBreak(text[i]))
            continue;
        qsizetype p = i + 1;
        while (p < text.size() && (text[p] == u' ' || text[p] == u'\t' || isBreak(text[p])))
            ++p;
        if (p >= text.size() || text[p] != u'"')
            continue;
        ++p;
        while (p < text.size() && text[p] != u'"' && !isBreak(text[p]))
            ++p;
        if (p + 1 < text.size() && text[p] == u'"' && text[p + 1] == u',')
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    QList<ProjectInfo> projects;
    const int count = input.ConsumeIntegralInRange<int>(0, 6);
    for (int i = 0; i < count; ++i) {
        ProjectInfo p{makeText(input), makeText(input), makeText(input), makeText(input),
                      input.ConsumeIntegralInRange<qint16>(-40, 40)};
        for (const QString *value : {&p.Name, &p.Location, &p.ShortDesc, &p.LongDesc}) {
            if (holdsKeyLikeLine(*value))
                return 0;
        }
        projects.append(p);
    }

    if (CatalogueFormat::read(CatalogueFormat::write(projects)).projects != projects)
        std::abort();
    if (Pages::BuildIndexPage(projects).isEmpty() || Pages::BuildShortPage(projects).isEmpty()
        || Pages::BuildLongPage(projects).isEmpty())
        std::abort();
    return 0;
}
