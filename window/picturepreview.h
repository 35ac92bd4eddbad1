#pragma once

#include "projectinfo.h"

#include <QPixmap>
#include <QRect>
#include <QString>

#include <array>

class QLabel;

// The main picture centred in its frame and pictures 2 to 9 in the eight small boxes, read afresh
// from the picture folder at every call.
class PicturePreview
{
public:
    struct Controls
    {
        QLabel *image1 = nullptr; // takes the picture's own size
        QRect frame; // picframe1, in which image1 is centred
        std::array<QLabel *, 8> small{}; // Image_small 1 to 8: pictures 2 to 9, stretched
        QLabel *noPicture = nullptr; // image_nopicture: holds the built-in image
    };

    PicturePreview(Controls controls, QString pictureFolder);

    // Shows the pictures of `project` and returns the picture count it should hold afterwards
    // (its own Pics when none of pictures 2 to 9 exists).
    qint16 UpdatePicture(const ProjectInfo &project);

    // The built-in "No Picture" image, as compiled into the program.
    static QPixmap builtInImage();

private:
    qint16 UpdateSmallPictures(const ProjectInfo &project);

    Controls m_controls;
    QString m_folder;
    QPixmap m_builtIn;
};
