#pragma once

#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QSize>

// Where the window puts its pictures, for tests that build the picture controls themselves or
// check where a picture went; the layout test checks the window against the same numbers.
namespace PictureControls {

inline constexpr QSize ClientSize(745, 469);
inline constexpr QRect Frame(288, 16, 180, 120); // picframe1, in which Image1 is centred
inline constexpr QRect Image1(296, 24, 182, 122); // as laid out, before a picture moves it
inline constexpr QRect NoPicture(312, 8, 180, 120); // image_nopicture

// Image_small1 to Image_small8, `index` counted from 0: two columns of four.
inline QRect smallPicture(int index)
{
    return QRect(index < 4 ? 512 : 616, 24 + 72 * (index % 4), 90, 60);
}

} // namespace PictureControls

// What a label shows, in one pixel format, so that pictures compare pixel by pixel.
inline QImage imageOf(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
}
