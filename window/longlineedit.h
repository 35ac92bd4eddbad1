#pragma once

#include <QLineEdit>

class QTextLayout;

// A one-line box for texts of any length. Qt's own box measures its whole text on every paint,
// which for a megabyte name is a throwaway layout of some thirty megabytes each time: past
// LongestMeasuredText characters this box lays out and draws only the stretch it shows, and maps
// the mouse to it, while editing, selection and the text itself stay Qt's.
class LongLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    static constexpr qsizetype LongestMeasuredText = 100000;

    explicit LongLineEdit(QWidget *parent = nullptr);

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool drawsItself() const { return text().size() > LongestMeasuredText; }
    QRect lineRect() const;
    // Moves the first character shown so that the cursor is in view, and lays out what is shown.
    void layOutShown(QTextLayout &layout) const;
    int positionAt(const QPoint &point) const;

    mutable qsizetype m_first = 0; // the first character shown
    int m_anchor = 0; // where a selection with the mouse started
};
