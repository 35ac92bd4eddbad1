#include "pages.h"

#include "safefile.h"

#include <QDir>

namespace Pages {

PublishResult publishPages(const QList<ProjectInfo> &projects, const QString &folder)
{
    using Builder = QByteArray (*)(const QList<ProjectInfo> &);
    const struct
    {
        const QString &fileName;
        Builder build;
    } pages[] = {
        {IndexFileName, &BuildIndexPage},
        {ShortFileName, &BuildShortPage},
        {LongFileName, &BuildLongPage},
    };

    const QDir dir(folder);
    for (const auto &page : pages) {
        // Each page is built only when the ones before it were written, so a failure leaves the
        // later pages exactly as they were.
        const QString error = writeFileSafely(dir.filePath(page.fileName), page.build(projects));
        if (!error.isEmpty())
            return {false, page.fileName, error};
    }
    return {};
}

} // namespace Pages
