#include "lastfolder.h"

#include "folderchooser.h"
#include "messageservice.h"
#include "printabletext.h"
#include "recentfolders.h"
#include "workingfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace LastFolder {

bool enter(MessageService &messages, FolderChooser &chooser)
{
    QByteArray folder = RecentFolders().last();
    // A launch from the menu has no terminal: without a word it would end unseen, every time.
    for (;;) {
        QString reason;
        if (!folder.isEmpty()) {
            if (WorkingFolder::enter(folder, reason))
                return true;
            messages.showMessage(
                QCoreApplication::translate("LastFolder", "Not possible to open %1\r%2 Choose another folder.")
                    .arg(printableFileName(folder), reason));
        }
        const QString chosen = chooser.chooseFolder(nullptr, QDir::homePath());
        if (chosen.isEmpty())
            return false;
        folder = QFile::encodeName(chosen);
    }
}

} // namespace LastFolder
