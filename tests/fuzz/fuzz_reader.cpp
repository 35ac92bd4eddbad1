// Any bytes as projects.txt: the reader must finish without a crash, a hang or a sanitizer report,
// keep within the catalogue's limit, read the same in small blocks as whole, and what it kept must
// survive a save and a reload in the encoding it was read in.
#include "catalogue.h"
#include "catalogueformat.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const CatalogueFormat::Parsed parsed = CatalogueFormat::read(bytes);
    if (parsed.projects.size() > Catalogue::MaxProjects)
        std::abort();
    QBuffer device;
    device.setData(bytes);
    device.open(QIODevice::ReadOnly);
    const std::optional<CatalogueFormat::Parsed> inBlocks = CatalogueFormat::read(device, 7);
    if (!inBlocks || inBlocks->projects != parsed.projects || inBlocks->droppedRecords != parsed.droppedRecords)
        std::abort();
    // A second save of what was read must not change it: reading settles on a fixed point.
    const QByteArray saved = CatalogueFormat::write(parsed.projects, parsed.encoding);
    const CatalogueFormat::Parsed again = CatalogueFormat::read(saved);
    if (again.encoding != parsed.encoding || CatalogueFormat::write(again.projects, again.encoding) != saved)
        std::abort();
    return 0;
}
