#include "messageboxservice.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

// The texts join two sentences with a lone carriage return, which a label would not break on.
QString shown(const QString &text)
{
    QString lines = text;
    return lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace

void MessageBoxService::showMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), shown(text), QMessageBox::Ok,
                    m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

namespace {

// A question whose one button besides Cancel, the default, is `yes`.
bool ask(QWidget *parent, const QString &text, const QString &yes)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), shown(text), QMessageBox::NoButton,
                    parent);
    box.setTextFormat(Qt::PlainText);
    const QPushButton *accept = box.addButton(yes, QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(QMessageBox::Cancel));
    box.exec();
    return box.clickedButton() == accept;
}

} // namespace

bool MessageBoxService::askToReplace(const QString &text)
{
    return ask(m_parent, text, QCoreApplication::translate("MessageBoxService", "Replace"));
}

bool MessageBoxService::askToSaveAnyway(const QString &text)
{
    return ask(m_parent, text, QCoreApplication::translate("MessageBoxService", "Save Anyway"));
}

MessageService::Answer MessageBoxService::askToSave(const QString &text)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), shown(text),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return Answer::Save;
    case QMessageBox::Discard:
        return Answer::Discard;
    default:
        return Answer::Cancel;
    }
}

MessageService::Recovery MessageBoxService::askToRestore(const QString &text)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), shown(text), QMessageBox::NoButton,
                    m_parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton *restore =
        box.addButton(QApplication::translate("MessageBoxService", "Restore"), QMessageBox::AcceptRole);
    const QPushButton *discard = box.addButton(QMessageBox::Discard);
    box.setDefaultButton(restore);
    box.exec();
    if (box.clickedButton() == restore)
        return Recovery::Restore;
    return box.clickedButton() == discard ? Recovery::Discard : Recovery::Undecided;
}
