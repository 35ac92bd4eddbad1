// The program driven from inside: each box, printed, is answered with the button CATALOGUE_ANSWER
// names (else its default); then CATALOGUE_NAME is stored as the first name, CATALOGUE_TYPING left
// typed in the location, and with CATALOGUE_SAVE=1 Save All is clicked and the program ends.
#include "application.h"
#include "mainwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {

void say(const QString &line)
{
    std::printf("%s\n", qPrintable(QString(line).replace(QLatin1Char('\n'), QLatin1String("\\n"))));
    std::fflush(stdout);
}

void drive()
{
    if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
        say(QStringLiteral("box ") + box->text());
        const QString wanted = qEnvironmentVariable("CATALOGUE_ANSWER");
        QAbstractButton *chosen = box->defaultButton();
        for (QAbstractButton *button : box->buttons())
            chosen = button->text().remove(QLatin1Char('&')) == wanted ? button : chosen;
        return chosen->click();
    }
    static bool done = false;
    Main *window = qobject_cast<Main *>(QApplication::activeWindow());
    if (!window || std::exchange(done, true))
        return;
    auto *name = window->findChild<QLineEdit *>(QStringLiteral("text_name"));
    auto *location = window->findChild<QLineEdit *>(QStringLiteral("text_location"));
    if (qEnvironmentVariableIsSet("CATALOGUE_NAME")) {
        name->setFocus();
        name->setText(qEnvironmentVariable("CATALOGUE_NAME"));
        // Leaving the name for the location stores it; what is typed there stays in the box.
        location->setFocus();
        if (const QString typing = qEnvironmentVariable("CATALOGUE_TYPING"); !typing.isEmpty())
            location->setText(typing);
    }
    say(QStringLiteral("stored"));
    if (qEnvironmentVariableIntValue("CATALOGUE_SAVE") == 1) {
        window->findChild<QAbstractButton *>(QStringLiteral("cmd_save"))->click();
        say(QStringLiteral("saved"));
        QCoreApplication::exit(0);
    }
}

void startDriving()
{
    auto *timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, drive);
    timer->start(20);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startDriving)

int main(int argc, char *argv[])
{
    return Application::runWindow(argc, argv);
}
