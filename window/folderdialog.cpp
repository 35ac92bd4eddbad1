#include "folderdialog.h"

#include <QCoreApplication>
#include <QFileDialog>

QString FolderDialog::chooseFolder(QWidget *parent, const QString &start)
{
    // The title says what to choose: a bare "choose a folder" dialog invites the folder it starts in.
    return QFileDialog::getExistingDirectory(
        parent,
        QCoreApplication::translate("FolderDialog", "Open Catalogue Folder (the folder that holds projects.txt)"),
        start);
}
