#pragma once

#include <QStringList>

class QWidget;

// Asks the user for photos to make pictures of; tests answer with files of their own.
class PictureFileChooser
{
public:
    virtual ~PictureFileChooser() = default;
    // The files chosen, in the order chosen; none when the user cancelled. One at most unless
    // `several`.
    virtual QStringList choosePhotos(QWidget *parent, bool several) = 0;
};

// The desktop's file dialog, showing the formats the program reads.
class PictureFileDialog : public PictureFileChooser
{
public:
    QStringList choosePhotos(QWidget *parent, bool several) override;

private:
    QString m_folder; // where the last choice was made
};
