#include "picturefilechooser.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

QStringList PictureFileDialog::choosePhotos(QWidget *parent, bool several)
{
    if (m_folder.isEmpty())
        m_folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString filter =
        QCoreApplication::translate("PictureFileDialog", "Photos (%1);;All files (*)")
            .arg(QStringLiteral("*.jpg *.jpeg *.JPG *.JPEG *.png *.PNG *.webp *.tif *.tiff *.bmp *.gif *.heic "
                                "*.HEIC *.heif *.avif"));
    QStringList files;
    if (several) {
        files = QFileDialog::getOpenFileNames(parent, QCoreApplication::translate("PictureFileDialog", "Add Pictures"),
                                              m_folder, filter);
    } else {
        const QString file = QFileDialog::getOpenFileName(
            parent, QCoreApplication::translate("PictureFileDialog", "Replace Picture"), m_folder, filter);
        if (!file.isEmpty())
            files.append(file);
    }
    if (!files.isEmpty())
        m_folder = QFileInfo(files.first()).path();
    return files;
}
