#include "longtextedit.h"

#include "textshaping.h"

#include <QKeyEvent>
#include <QTextBoundaryFinder>

namespace {

// Longer than any line of the box, short enough that looking for a word boundary across it stays
// cheap.
constexpr qsizetype LongestWrappedByWord = 1000;

bool hasLongStretchWithoutBreak(const QString &text)
{
    if (text.size() <= LongestWrappedByWord)
        return false;
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    qsizetype previous = 0;
    for (qsizetype at = breaks.toNextBoundary(); at != -1; at = breaks.toNextBoundary()) {
        if (at - previous > LongestWrappedByWord)
            return true;
        previous = at;
    }
    return false;
}

// What the box holds, one line feed between paragraphs. toPlainText() would also turn no-break
// spaces into spaces.
QString shownText(const QPlainTextEdit *box)
{
    QString text = box->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

} // namespace

LongTextEdit::LongTextEdit(QWidget *parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
}

void LongTextEdit::setRecordText(const QString &text)
{
    m_given = text;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // Wrapping at word boundaries looks, for every line it makes, through the rest of the
    // paragraph for a boundary before it falls back to breaking anywhere: a megabyte without one
    // takes half a minute. Such a text is broken anywhere.
    const QTextOption::WrapMode wrap =
        hasLongStretchWithoutBreak(shown) ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    const bool emptied = TextShaping::prepareBox(this, shown);
    if (wordWrapMode() != wrap) {
        // Emptied first, so that the text shown until now is not laid out again in the new mode.
        if (!emptied)
            clear();
        setWordWrapMode(wrap);
    }
    setPlainText(shown);
    m_shown = shownText(this);
}

QString LongTextEdit::recordText() const
{
    const QString shown = shownText(this);
    if (shown == m_shown)
        return m_given;
    QString text = shown;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void LongTextEdit::keyPressEvent(QKeyEvent *event)
{
    // Shift+Return would put a line separator (U+2028) into the text, which the record keeps: a
    // line break typed is a line break.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && event->modifiers().testFlag(Qt::ShiftModifier)) {
        QKeyEvent plain(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier, event->text(),
                        event->isAutoRepeat(), ushort(event->count()));
        QPlainTextEdit::keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}
