#include "picturepreview.h"

#include <utility>

// Placeholder until the picture preview lands: shows nothing and keeps the count.
PicturePreview::PicturePreview(Controls controls, QString pictureFolder)
    : m_controls(controls), m_folder(std::move(pictureFolder))
{
}

qint16 PicturePreview::UpdatePicture(const ProjectInfo &project)
{
    return project.Pics;
}
