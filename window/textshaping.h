#pragma once

#include <QFont>
#include <QString>

// Shaping (kerning, ligatures) is most of the cost of laying out a Latin text, and a text box lays
// out the whole of its text however little of it shows: a megabyte took a box a third of a second
// to show. A box showing a text far longer than anyone reads in it skips shaping where the script
// does not need it.
namespace TextShaping {

inline constexpr qsizetype LongestShapedText = 100000;

inline bool skipsShaping(const QFont &font)
{
    return font.styleStrategy() & QFont::PreferNoShaping;
}

// Makes `box` shape `text` or not, before it is given the text. A box that changes its font lays
// out what it shows again, so it is emptied first; true when it was.
template <typename Box>
bool prepareBox(Box *box, const QString &text)
{
    const bool skip = text.size() > LongestShapedText;
    QFont font = box->font();
    if (skipsShaping(font) == skip)
        return false;
    box->clear();
    const int others = font.styleStrategy() & ~QFont::PreferNoShaping;
    font.setStyleStrategy(QFont::StyleStrategy(skip ? others | QFont::PreferNoShaping : others));
    box->setFont(font);
    return true;
}

} // namespace TextShaping
