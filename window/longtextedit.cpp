#include "longtextedit.h"

LongTextEdit::LongTextEdit(QWidget *parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
}

void LongTextEdit::setRecordText(const QString &text)
{
    m_given = text;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(shown);
    m_shown = toPlainText();
}

QString LongTextEdit::recordText() const
{
    const QString shown = toPlainText();
    if (shown == m_shown)
        return m_given;
    QString text = shown;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}
