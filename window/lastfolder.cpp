#include "lastfolder.h"

#include "catalogueopening.h"
#include "folderchooser.h"
#include "messageservice.h"
#include "printabletext.h"
#include "recentfolders.h"
#include "workingfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace LastFolder {

bool enter(MessageService &messages, FolderChooser &chooser, const QByteArray &given, bool *startsCatalogue)
{
    QByteArray folder = given;
    if (folder.isEmpty()) {
        folder = RecentFolders().folders().value(0);
        if (!folder.isEmpty() && !WorkingFolder::exists(folder)) {
            messages.showMessage(QCoreApplication::translate("LastFolder",
                                                             "The catalogue folder %1 was moved or deleted.\rChoose "
                                                             "where it is now, or another folder.")
                                     .arg(QDir::toNativeSeparators(printableFileName(folder))));
            folder.clear();
        }
    }
    // A launch from the menu has no terminal: without a word it would end unseen, every time.
    for (;;) {
        const CatalogueOpening::Opening opening = folder.isEmpty()
            ? CatalogueOpening::choose(messages, chooser, nullptr, QDir::homePath())
            : CatalogueOpening::confirm(folder, messages, chooser, nullptr);
        if (opening.folder.isEmpty())
            return false;
        QString reason;
        if (WorkingFolder::enter(opening.folder, reason)) {
            if (startsCatalogue)
                *startsCatalogue = opening.startsCatalogue;
            return true;
        }
        messages.showMessage(
            QCoreApplication::translate("LastFolder", "Not possible to open %1\r%2 Choose another folder.")
                .arg(printableFileName(opening.folder), reason));
        folder.clear();
    }
}

} // namespace LastFolder
