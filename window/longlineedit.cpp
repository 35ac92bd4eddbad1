#include "longlineedit.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextBoundaryFinder>
#include <QTextLayout>

#include <algorithm>

namespace {

// Qt's box keeps these between its frame and its text.
constexpr int HorizontalMargin = 2;

// Characters laid out beyond the first shown, per pixel of the box's width: more than the
// narrowest glyphs of a box's font fill.
constexpr qsizetype CharactersPerPixel = 4;

QTextLine layOutLine(QTextLayout &layout, const QString &text, const QFont &font)
{
    layout.setText(text);
    layout.setFont(font);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    // One line, however wide: the box never wraps.
    line.setLineWidth(1e9);
    layout.endLayout();
    return line;
}

} // namespace

LongLineEdit::LongLineEdit(QWidget *parent) : QLineEdit(parent)
{
    // Qt updates only the places its own layout gives: a box that draws itself draws it all again.
    connect(this, &QLineEdit::cursorPositionChanged, this, [this] {
        if (drawsItself())
            update();
    });
    connect(this, &QLineEdit::selectionChanged, this, [this] {
        if (drawsItself())
            update();
    });
}

QRect LongLineEdit::lineRect() const
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect contents =
        style()->subElementRect(QStyle::SE_LineEditContents, &panel, this).marginsRemoved(textMargins());
    const int height = fontMetrics().height();
    return {contents.x() + HorizontalMargin, contents.y() + (contents.height() - height + 1) / 2,
            std::max(1, contents.width() - 2 * HorizontalMargin), height};
}

void LongLineEdit::layOutShown(QTextLayout &layout) const
{
    const QString all = text();
    const int width = lineRect().width();
    const qsizetype span = qsizetype(width) * CharactersPerPixel + 16;
    const qsizetype cursor = cursorPosition();
    m_first = std::clamp<qsizetype>(m_first, 0, all.size());
    if (cursor < m_first)
        m_first = cursor;
    if (cursor - m_first <= span) {
        const QTextLine line = layOutLine(layout, all.mid(m_first, span), font());
        if (line.cursorToX(int(cursor - m_first)) <= width)
            return;
    }
    // The cursor lies past the right edge: the stretch that ends at it, as much as fits.
    const qsizetype before = std::min(cursor, span);
    QTextLayout ending;
    const QTextLine line = layOutLine(ending, all.mid(cursor - before, before), font());
    const qreal end = line.cursorToX(int(before));
    int first = line.xToCursor(end - width, QTextLine::CursorOnCharacter);
    while (first < before && end - line.cursorToX(first) > width)
        ++first;
    m_first = cursor - before + first;
    layOutLine(layout, all.mid(m_first, span), font());
}

int LongLineEdit::positionAt(const QPoint &point) const
{
    QTextLayout layout;
    layOutShown(layout);
    return int(m_first) + layout.lineAt(0).xToCursor(point.x() - lineRect().x());
}

void LongLineEdit::paintEvent(QPaintEvent *event)
{
    if (!drawsItself()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    painter.setClipRect(
        style()->subElementRect(QStyle::SE_LineEditContents, &panel, this).marginsRemoved(textMargins()));

    QTextLayout layout;
    layOutShown(layout);
    const QRect line = lineRect();
    const QPointF at(line.x(), line.y() + fontMetrics().ascent() - layout.lineAt(0).ascent());
    QList<QTextLayout::FormatRange> selection;
    if (hasSelectedText()) {
        const qsizetype start = std::max<qsizetype>(selectionStart() - m_first, 0);
        const qsizetype end = std::min<qsizetype>(selectionEnd() - m_first, layout.text().size());
        if (end > start) {
            QTextLayout::FormatRange range;
            range.start = int(start);
            range.length = int(end - start);
            range.format.setBackground(panel.palette.brush(QPalette::Highlight));
            range.format.setForeground(panel.palette.brush(QPalette::HighlightedText));
            selection.append(range);
        }
    }
    painter.setPen(panel.palette.color(QPalette::Text));
    layout.draw(&painter, at, selection);
    if (hasFocus() && !isReadOnly())
        layout.drawCursor(&painter, at, int(cursorPosition() - m_first),
                          style()->pixelMetric(QStyle::PM_TextCursorWidth, &panel, this));
}

void LongLineEdit::mousePressEvent(QMouseEvent *event)
{
    if (!drawsItself() || event->button() != Qt::LeftButton) {
        QLineEdit::mousePressEvent(event);
        return;
    }
    const int position = positionAt(event->position().toPoint());
    if (event->modifiers() & Qt::ShiftModifier) {
        const int cursor = cursorPosition();
        m_anchor = !hasSelectedText() ? cursor : cursor == selectionStart() ? selectionEnd() : selectionStart();
        setSelection(m_anchor, position - m_anchor);
    } else {
        deselect();
        setCursorPosition(position);
        m_anchor = position;
    }
    event->accept();
}

void LongLineEdit::mouseMoveEvent(QMouseEvent *event)
{
    if (!drawsItself() || !(event->buttons() & Qt::LeftButton)) {
        QLineEdit::mouseMoveEvent(event);
        return;
    }
    setSelection(m_anchor, positionAt(event->position().toPoint()) - m_anchor);
    event->accept();
}

void LongLineEdit::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!drawsItself() || event->button() != Qt::LeftButton) {
        QLineEdit::mouseDoubleClickEvent(event);
        return;
    }
    // The word around the place clicked, looked for in the stretch around it.
    const int position = positionAt(event->position().toPoint());
    const QString all = text();
    const int start = std::max(0, position - 256);
    const QString around = all.mid(start, 512);
    QTextBoundaryFinder words(QTextBoundaryFinder::Word, around);
    words.setPosition(position - start);
    const qsizetype wordEnd = words.toNextBoundary();
    words.setPosition(position - start);
    qsizetype wordStart = words.isAtBoundary() ? position - start : words.toPreviousBoundary();
    if (wordEnd < 0 || wordStart < 0)
        return;
    m_anchor = start + int(wordStart);
    setSelection(m_anchor, int(wordEnd - wordStart));
    event->accept();
}

QVariant LongLineEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query != Qt::ImCursorRectangle || !drawsItself())
        return QLineEdit::inputMethodQuery(query);
    QTextLayout layout;
    layOutShown(layout);
    const QRect line = lineRect();
    const int x = int(layout.lineAt(0).cursorToX(int(cursorPosition() - m_first)));
    return QRect(line.x() + x, line.y(), 1, line.height());
}
