#include "pages.h"

#include "safefile.h"

#include <QDir>

namespace Pages {

PublishResult publishPages(const QList<ProjectInfo> &projects, const QString &folder)
{
    using Writer = bool (*)(const QList<ProjectInfo> &, QIODevice &);
    const struct
    {
        const QString &fileName;
        Writer write;
    } pages[] = {
        {IndexFileName, &WriteIndexPage},
        {ShortFileName, &WriteShortPage},
        {LongFileName, &WriteLongPage},
    };

    const QDir dir(folder);
    for (const auto &page : pages) {
        // Each page is built only when the ones before it were written, so a failure leaves the
        // later pages exactly as they were.
        const QString error = writeFileSafely(dir.filePath(page.fileName),
                                              [&](QIODevice &file) { return page.write(projects, file); });
        if (!error.isEmpty())
            return {false, page.fileName, error};
    }
    return {};
}

} // namespace Pages
