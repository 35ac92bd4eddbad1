#include "messageboxservice.h"

#include <QApplication>
#include <QMessageBox>

void MessageBoxService::showMessage(const QString &text)
{
    // The texts join two sentences with a lone carriage return, which a label would not break on.
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), shown, QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
