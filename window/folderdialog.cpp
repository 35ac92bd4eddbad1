#include "folderdialog.h"

#include <QFileDialog>

QString FolderDialog::chooseFolder(QWidget *parent, const QString &start)
{
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("Open Catalogue Folder"), start);
}
