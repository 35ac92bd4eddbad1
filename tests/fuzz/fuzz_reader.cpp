// Any bytes as projects.txt: the reader must finish without a crash, a hang or a sanitizer report,
// keep within the catalogue's limit, and what it kept must survive a save and a reload.
#include "catalogue.h"
#include "catalogueformat.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const CatalogueFormat::Parsed parsed = CatalogueFormat::read(bytes);
    if (parsed.projects.size() > Catalogue::MaxProjects)
        std::abort();
    // A second save of what was read must not change it: reading settles on a fixed point.
    const QByteArray saved = CatalogueFormat::write(parsed.projects);
    if (CatalogueFormat::write(CatalogueFormat::read(saved).projects) != saved)
        std::abort();
    return 0;
}
