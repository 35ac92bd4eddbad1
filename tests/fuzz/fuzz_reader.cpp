// Any bytes as projects.txt: the reader must finish without a crash, a hang or a sanitizer report,
// keep within the catalogue's limit, never merge records (no value takes in a key line), and what
// it kept must survive a save and a reload in the encoding it was read in.
#include "catalogue.h"
#include "catalogueformat.h"
#include "keylines.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const CatalogueFormat::Parsed parsed = CatalogueFormat::read(bytes);
    if (parsed.projects.size() > Catalogue::MaxProjects)
        std::abort();
    for (const ProjectInfo &p : parsed.projects) {
        for (const QString *value : {&p.Name, &p.Location, &p.ShortDesc, &p.LongDesc}) {
            if (holdsKeyLikeLine(*value))
                std::abort();
        }
    }
    // A second save of what was read must not change it: reading settles on a fixed point.
    const QByteArray saved = CatalogueFormat::write(parsed.projects, parsed.encoding);
    const CatalogueFormat::Parsed again = CatalogueFormat::read(saved);
    if (again.encoding != parsed.encoding || CatalogueFormat::write(again.projects, again.encoding) != saved)
        std::abort();
    return 0;
}
