// Records built from the fuzzer's bytes: what the writer saves, the reader gives back unchanged;
// where no value holds a quote, the same records saved as other editors would are read exactly as
// the strict reading gives them; and every page writer finishes on them. Texts of the two shapes
// that no reader can tell from the end of a value (as CatalogueFormat::comesBackExactly() tells
// them) are left out.
#include "catalogueformat.h"
#include "pages.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

const QString Keys = QStringLiteral("Name:|Location:|Short Description:|Long Description:|Total Pictures:");

// Texts are made of these and of any other characters.
const QStringList Pieces = [] {
    QStringList pieces = QStringLiteral("\"|,|\r\n|\n| |\t|:|7|a|N|é|€|Ω|日|🌉|\u0081|Ã|©|<|&|\0").split(u'|');
    for (const QString &key : Keys.split(u'|'))
        pieces << key << u'"' + key + u'"';
    return pieces;
}();

QString makeText(FuzzedDataProvider &input)
{
    QString text;
    const size_t length = input.ConsumeIntegralInRange<size_t>(0, 40);
    for (size_t i = 0; i < length && input.remaining_bytes() > 0; ++i) {
        if (input.ConsumeBool()) {
            text += Pieces.at(input.ConsumeIntegralInRange<qsizetype>(0, Pieces.size() - 1));
            continue;
        }
        char32_t c = input.ConsumeIntegralInRange<char32_t>(0, 0x10FFFF);
        if (c >= 0xD800 && c <= 0xDFFF)
            c = U'?';
        text.append(QString::fromUcs4(&c, 1));
    }
    return text;
}

// The same records as another editor might have saved them: a byte-order mark, bare line feeds,
// blank lines, blanks before items and commas, bare keys and values, text after a closing quote,
// keys the reader does not know. Nothing in it holds a quote inside a value, so the strict reading
// (each quote closes its value, what follows on its line is dropped) gives exactly the records.
QByteArray asAnotherEditorWouldSave(FuzzedDataProvider &input, const QList<ProjectInfo> &projects, bool byteOrderMark)
{
    const QByteArray lineEnd = input.ConsumeBool() ? "\r\n" : "\n";
    const auto blanks = [&input] { return QByteArray(input.ConsumeIntegralInRange(0, 2), ' '); };
    QByteArray file = byteOrderMark ? "\xEF\xBB\xBF" : "";
    const auto pair = [&](const QByteArray &key, bool known, const QString &value, bool number) {
        if (input.ConsumeIntegralInRange(0, 4) == 0)
            file += lineEnd;
        file += blanks();
        if (known && input.ConsumeBool())
            file += key + ',';
        else
            file += '"' + key + '"' + blanks() + ',';
        file += blanks();
        const QByteArray bytes = value.toUtf8();
        const bool bare = number
            || (!value.contains(u',') && !value.contains(u'\r') && !value.contains(u'\n') && !value.startsWith(u' ')
                && !value.startsWith(u'\t') && input.ConsumeBool());
        if (bare)
            file += bytes;
        else
            file += '"' + bytes + '"' + (input.ConsumeBool() ? QByteArray(" (north) ;") : QByteArray());
        file += lineEnd;
    };
    for (const ProjectInfo &p : projects) {
        if (input.ConsumeIntegralInRange(0, 3) == 0)
            pair("Colour:", false, QStringLiteral("red"), false);
        pair("Name:", true, p.Name, false);
        pair("Location:", true, p.Location, false);
        pair("Short Description:", true, p.ShortDesc, false);
        pair("Long Description:", true, p.LongDesc, false);
        pair("Total Pictures:", true, QString::number(p.Pics), true);
    }
    return file;
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
            if (!CatalogueFormat::comesBackExactly(*value))
                return 0;
        }
        projects.append(p);
    }

    if (CatalogueFormat::read(CatalogueFormat::write(projects)).projects != projects)
        std::abort();
    const bool quoteFree = std::all_of(projects.cbegin(), projects.cend(), [](const ProjectInfo &p) {
        return !(p.Name + p.Location + p.ShortDesc + p.LongDesc).contains(u'"');
    });
    if (quoteFree) {
        const bool mark = input.ConsumeBool();
        const CatalogueFormat::Parsed parsed = CatalogueFormat::read(asAnotherEditorWouldSave(input, projects, mark));
        if (parsed.projects != projects
            || parsed.encoding != (mark ? FileEncoding::Utf8WithByteOrderMark : FileEncoding::Plain))
            std::abort();
    }
    if (Pages::BuildIndexPage(projects).isEmpty() || Pages::BuildShortPage(projects).isEmpty()
        || Pages::BuildLongPage(projects).isEmpty())
        std::abort();
    return 0;
}
