#include "folderdialog.h"

#include <QCoreApplication>
#include <QFileDialog>

QString FolderDialog::chooseFolder(QWidget *parent, const QString &start)
{
    return QFileDialog::getExistingDirectory(
        parent, QCoreApplication::translate("FolderDialog", "Open Catalogue Folder"), start);
}
