#include "recentfolders.h"

#include "printabletext.h"
#include "workingfolder.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QSettings>
#include <QVariantList>

namespace {

const QString Key = QStringLiteral("recentFolders");

bool isUtf8(const QByteArray &name)
{
    return QString::fromUtf8(name).toUtf8() == name;
}

} // namespace

QList<QByteArray> RecentFolders::folders() const
{
    // A name that is UTF-8 is kept as text, as it always was; any other by its bytes.
    QList<QByteArray> kept;
    const QVariantList values = QSettings().value(Key).toList();
    for (const QVariant &value : values.mid(0, MaxFolders)) {
        if (value.typeId() == QMetaType::QByteArray)
            kept.append(value.toByteArray());
        else
            kept.append(value.toString().toUtf8());
    }
    return kept;
}

void RecentFolders::add(const QByteArray &folder)
{
    const QList<QByteArray> before = folders();
    QList<QByteArray> after = before;
    after.removeAll(folder);
    after.prepend(folder);
    after = after.mid(0, MaxFolders);
    if (after == before)
        return;
    QVariantList values;
    for (const QByteArray &name : std::as_const(after))
        values.append(isUtf8(name) ? QVariant(QString::fromUtf8(name)) : QVariant(name));
    QSettings().setValue(Key, values);
}

void RecentFolders::fillMenu(QMenu *menu, const std::function<void(const QByteArray &folder)> &open) const
{
    menu->clear();
    const QList<QByteArray> kept = folders();
    for (int i = 0; i < kept.size(); ++i) {
        const QByteArray &folder = kept.at(i);
        QString label = QDir::toNativeSeparators(printableFileName(folder));
        label.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *action = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(label));
        action->setObjectName(QStringLiteral("actionRecentFolder%1").arg(i + 1));
        action->setEnabled(WorkingFolder::isFolder(folder));
        QObject::connect(action, &QAction::triggered, menu, [open, folder] { open(folder); });
    }
    menu->setEnabled(!kept.isEmpty());
}
