#include "catalogueopening.h"

#include "folderchooser.h"
#include "messageservice.h"
#include "printabletext.h"
#include "workingfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>

#include <sys/stat.h>

namespace CatalogueOpening {

namespace {

MessageService::NewCatalogue ask(MessageService &messages, const QByteArray &folder)
{
    return messages.askToStartCatalogue(
        QCoreApplication::translate("CatalogueOpening",
                                    "Start a new catalogue in %1?\rThe folder holds no projects.txt. Create writes "
                                    "one there with a single project, \"New\"; until then nothing is written.")
            .arg(QDir::toNativeSeparators(printableFileName(folder))));
}

} // namespace

bool holdsNoCatalogue(const QByteArray &folder)
{
    struct stat info;
    return WorkingFolder::isFolder(folder) && ::lstat((folder + "/projects.txt").constData(), &info) != 0
        && errno == ENOENT;
}

Opening confirm(const QByteArray &folder, MessageService &messages, FolderChooser &chooser, QWidget *parent)
{
    if (!holdsNoCatalogue(folder))
        return {folder, false};
    switch (ask(messages, folder)) {
    case MessageService::NewCatalogue::Create:
        return {folder, true};
    case MessageService::NewCatalogue::ChooseAnother:
        return choose(messages, chooser, parent, QFile::decodeName(folder));
    case MessageService::NewCatalogue::Cancel:
        break;
    }
    return {};
}

Opening choose(MessageService &messages, FolderChooser &chooser, QWidget *parent, const QString &start)
{
    QString from = start;
    for (;;) {
        const QString chosen = chooser.chooseFolder(parent, from);
        if (chosen.isEmpty())
            return {};
        const QByteArray folder = QFile::encodeName(chosen);
        if (!holdsNoCatalogue(folder))
            return {folder, false};
        switch (ask(messages, folder)) {
        case MessageService::NewCatalogue::Create:
            return {folder, true};
        case MessageService::NewCatalogue::ChooseAnother:
            from = chosen;
            continue;
        case MessageService::NewCatalogue::Cancel:
            return {};
        }
    }
}

} // namespace CatalogueOpening
