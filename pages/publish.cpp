#include "pages.h"

#include "safefile.h"

#include <QDir>

#include <future>

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
    constexpr int PageCount = 3;

    // The three pages are written side by side, each to a file of its own beside the page it
    // replaces. They replace the old pages in order, index, short, long, and the first failure
    // stops the rest, so a failure leaves the later pages exactly as they were. Where no thread
    // can be started, the deferred policy lets a page be written when its turn comes.
    const QDir dir(folder);
    std::unique_ptr<SafeFile> files[PageCount];
    std::future<bool> written[PageCount];
    for (int i = 0; i < PageCount; ++i) {
        files[i] = std::make_unique<SafeFile>(dir.filePath(pages[i].fileName));
        written[i] = std::async(std::launch::async | std::launch::deferred, [&projects, &page = pages[i], &file = *files[i]] {
            return file.write([&](QIODevice &device) { return page.write(projects, device); });
        });
    }
    for (int i = 0; i < PageCount; ++i) {
        if (!written[i].get() || !files[i]->commit()) {
            for (int later = i + 1; later < PageCount; ++later)
                written[later].wait();
            return {false, pages[i].fileName, files[i]->error()};
        }
    }
    return {};
}

} // namespace Pages
