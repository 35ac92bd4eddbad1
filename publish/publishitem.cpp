#include "publishitem.h"

#include "pages.h"
#include "picturenames.h"

#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

bool PublishItem::isPage() const
{
    return Pages::FileNames.contains(name);
}

bool PublishItem::operator==(const PublishItem &other) const
{
    return name == other.name && source == other.source && size == other.size && change == other.change;
}

QDebug operator<<(QDebug debug, const PublishItem &item)
{
    static const char *const changes[] = {"new", "changed", "same"};
    QDebugStateSaver saver(debug);
    debug.nospace() << "PublishItem(" << item.name << ", " << item.size << " bytes, " << changes[int(item.change)]
                    << ')';
    return debug;
}

namespace PublishPlan {

QList<PublishItem> make(const QList<ProjectInfo> &projects, const QString &catalogueFolder,
                        const QString &pictureFolder)
{
    // The highest picture each name leads to: a name used twice links the pictures of both.
    QHash<QString, int> linked;
    for (const ProjectInfo &project : projects) {
        int &highest = linked[project.Name];
        highest = std::max({highest, 1, int(project.Pics)});
    }

    QList<PublishItem> items;
    const QString prefix = PictureNames::FolderName + QLatin1Char('/');
    QDirIterator files(pictureFolder, QDir::Files | QDir::Hidden | QDir::System);
    while (files.hasNext()) {
        const QString path = files.next();
        const QString file = files.fileName();
        if (!file.endsWith(QLatin1String(".gif")))
            continue;
        const qsizetype mark = file.lastIndexOf(QLatin1String("_p"));
        if (mark < 0)
            continue;
        const QString number = file.mid(mark + 2, file.size() - mark - 6);
        bool ok = false;
        const int k = number.toInt(&ok);
        const auto highest = linked.constFind(file.left(mark));
        // Only the spelling the pages use: "_p01.gif" is not picture 1.
        if (!ok || highest == linked.cend() || k < 1 || k > *highest || QString::number(k) != number
            || PictureNames::picturePath(pictureFolder, file.left(mark), k).isEmpty())
            continue;
        const QFileInfo info(path);
        if (info.isFile())
            items.append({prefix + file, info.absoluteFilePath(), info.size(), PublishItem::Change::New});
    }
    std::sort(items.begin(), items.end(), [](const PublishItem &a, const PublishItem &b) { return a.name < b.name; });
    for (const QString &page : Pages::FileNames) {
        const QFileInfo info(QDir(catalogueFolder).filePath(page));
        items.append({page, info.absoluteFilePath(), info.size(), PublishItem::Change::New});
    }
    return items;
}

bool mayBeUnlinked(const QString &name)
{
    const QString prefix = PictureNames::FolderName + QLatin1Char('/');
    return name.startsWith(prefix) && name.size() > prefix.size()
        && !name.mid(prefix.size()).contains(QLatin1Char('/'));
}

} // namespace PublishPlan
