#include "pages.h"

#include "indexpage.h"
#include "longpage.h"
#include "safefile.h"
#include "shortpage.h"

#include <QDir>

#include <memory>

namespace Pages {

namespace {

template <typename Kind>
std::unique_ptr<Page> makePage(QIODevice &file)
{
    return std::make_unique<Kind>(file);
}

} // namespace

Publisher::Publisher(const QString &folder) : m_folder(folder) {}

bool Publisher::fail(const QString &fileName, const SafeFile &file)
{
    m_failedFile = fileName;
    m_error = file.errorString();
    m_refused = file.refused();
    return false;
}

bool Publisher::publish(const QList<ProjectInfo> &projects)
{
    constexpr int PageCount = 3;
    const struct
    {
        const QString &fileName;
        std::unique_ptr<Page> (*make)(QIODevice &);
    } kinds[PageCount] = {
        {IndexFileName, &makePage<IndexPage>},
        {ShortFileName, &makePage<ShortPage>},
        {LongFileName, &makePage<LongPage>},
    };

    // Each page goes to a file of its own beside the page it replaces, and the files replace the
    // old pages in order, index, short, long. The first page that cannot be opened, written or
    // put in place stops the ones after it, so a failure leaves the later pages as they were.
    const QDir dir(m_folder);
    std::unique_ptr<SafeFile> files[PageCount];
    std::unique_ptr<Page> pages[PageCount];
    int opened = 0;
    for (; opened < PageCount; ++opened) {
        files[opened] = std::make_unique<SafeFile>(dir.filePath(kinds[opened].fileName));
        if (!files[opened]->open())
            break;
        pages[opened] = kinds[opened].make(files[opened]->device());
    }
    for (const ProjectInfo &project : projects) {
        for (int i = 0; i < opened; ++i)
            pages[i]->add(project);
    }
    for (int i = 0; i < opened; ++i) {
        if (!files[i]->commit(pages[i]->finish()))
            return fail(kinds[i].fileName, *files[i]);
    }
    if (opened < PageCount)
        return fail(kinds[opened].fileName, *files[opened]);
    m_failedFile.clear();
    m_error.clear();
    m_refused = false;
    return true;
}

} // namespace Pages
