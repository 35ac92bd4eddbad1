#include "messages.h"

#include "catalogue.h"
#include "cataloguefile.h"

#include <QFileInfo>

namespace Messages {

QStringList afterReading(const CatalogueFile &file, bool read)
{
    const QString name = QFileInfo(file.fileName()).fileName();
    if (file.isMissing())
        return {};
    if (!read)
        return {QStringLiteral("Not possible to read %1\r%2").arg(name, file.errorString())};
    if (file.droppedRecords() > 0) {
        return {QStringLiteral("%1 holds %2 more projects than the %3 that can be kept; only the first "
                               "%3 were loaded.\rThe file is unchanged until you press Save All.")
                    .arg(name)
                    .arg(file.droppedRecords())
                    .arg(Catalogue::MaxProjects)};
    }
    if (file.holdsNoProject()) {
        return {QStringLiteral("%1 holds no project that could be read.\rThe file is unchanged until you "
                               "press Save All.")
                    .arg(name)};
    }
    return {};
}

} // namespace Messages
