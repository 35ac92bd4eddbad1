#include "messageboxservice.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

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

void MessageBoxService::showSkippedFiles(const QString &heading, const QStringList &reasons)
{
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), heading, QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(reasons.join(QLatin1Char('\n')));
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

bool MessageBoxService::askToGoAhead(const QString &text, const QString &action)
{
    return ask(m_parent, text, action);
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

namespace {

// A window manager draws the caption in a bar as wide as the box, beside its own buttons: a box
// narrower than that cuts the caption short.
void fitCaption(QMessageBox &box)
{
    QFont bold = box.font();
    bold.setBold(true);
    const int width = QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + 160;
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                      grid->columnCount());
}

} // namespace

MessageService::NewCatalogue MessageBoxService::askToStartCatalogue(const QString &text)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), shown(text), QMessageBox::NoButton,
                    m_parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton *create =
        box.addButton(QApplication::translate("MessageBoxService", "C&reate"), QMessageBox::AcceptRole);
    const QPushButton *another = box.addButton(
        QApplication::translate("MessageBoxService", "C&hoose Another Folder\u2026"), QMessageBox::ActionRole);
    box.setEscapeButton(box.addButton(QMessageBox::Cancel));
    box.setDefaultButton(create);
    fitCaption(box);
    box.exec();
    if (box.clickedButton() == create)
        return NewCatalogue::Create;
    return box.clickedButton() == another ? NewCatalogue::ChooseAnother : NewCatalogue::Cancel;
}

bool MessageBoxService::offerToShowPages(const QString &text)
{
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), shown(text),
                    QMessageBox::NoButton, m_parent);
    box.setTextFormat(Qt::PlainText);
    const QPushButton *open =
        box.addButton(QApplication::translate("MessageBoxService", "&Open Index Page"), QMessageBox::AcceptRole);
    QPushButton *close = box.addButton(QMessageBox::Close);
    box.setDefaultButton(close);
    box.setEscapeButton(close);
    fitCaption(box);
    box.exec();
    return box.clickedButton() == open;
}
