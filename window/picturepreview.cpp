#include "picturepreview.h"

#include "picturefiles.h"
#include "picturenames.h"

#include <QLabel>

#include <cmath>
#include <utility>

namespace {

// Where a picture of `extent` starts so that it is centred on a frame: an odd difference leaves the
// extra pixel on the right or at the bottom.
int centredStart(int frameStart, int frameExtent, int extent)
{
    // Floor, not truncation, so that pictures larger than the frame follow the same rule.
    return frameStart + static_cast<int>(std::floor((frameExtent - extent) / 2.0));
}

} // namespace

PicturePreview::PicturePreview(Controls controls, QString pictureFolder)
    : m_controls(controls), m_folder(std::move(pictureFolder)), m_builtIn(builtInImage())
{
    if (m_controls.noPicture)
        m_controls.noPicture->setPixmap(m_builtIn);
    for (QLabel *box : m_controls.small)
        box->setScaledContents(true);
}

QPixmap PicturePreview::builtInImage()
{
    return QPixmap(QStringLiteral(":/no_picture.gif"));
}

qint16 PicturePreview::UpdatePicture(const ProjectInfo &project)
{
    const QString path = PictureNames::picturePath(m_folder, project.Name, 1);
    QPixmap picture;
    if (PictureNames::isPictureFile(path))
        picture = QPixmap::fromImage(PictureFiles::loadPicture(path));
    if (picture.isNull())
        picture = m_controls.noPicture ? m_controls.noPicture->pixmap() : m_builtIn;

    QLabel *image1 = m_controls.image1;
    image1->setPixmap(picture);
    image1->resize(picture.size());
    const QRect &frame = m_controls.frame;
    image1->move(centredStart(frame.left(), frame.width(), picture.width()),
                 centredStart(frame.top(), frame.height(), picture.height()));

    return UpdateSmallPictures(project);
}

qint16 PicturePreview::UpdateSmallPictures(const ProjectInfo &project)
{
    qint16 pics = project.Pics;
    for (int i = 1; i <= 8; ++i) {
        const int k = i + 1;
        QLabel *box = m_controls.small[i - 1];
        const QString path = PictureNames::picturePath(m_folder, project.Name, k);
        if (!PictureNames::isPictureFile(path)) {
            box->hide();
            continue;
        }
        // A file that is there counts even when it cannot be shown here: the pages list it, and a
        // browser may well show what this preview refuses.
        pics = static_cast<qint16>(k);
        const QImage image = PictureFiles::loadPicture(path);
        if (image.isNull()) {
            box->hide();
            continue;
        }
        // Stretched to the box here, as the box would show it, so only the small copy is kept.
        box->setPixmap(QPixmap::fromImage(image.scaled(box->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
        box->show();
    }
    return pics;
}
