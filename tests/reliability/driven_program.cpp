// The program as it starts, driven from inside once it runs, as a user would: every box is
// answered with the button CATALOGUE_ANSWER names ("Restore", "Discard"; OK when none), its text
// printed first. Once the window is active, CATALOGUE_NAME is stored as the first project's name,
// CATALOGUE_TYPING is typed into its location and left there, and with CATALOGUE_SAVE=1 Save All
// is clicked and the program ends. Each step prints one line.
#include "application.h"
#include "mainwindow.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {

void say(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

void answer(QMessageBox *box)
{
    say(QStringLiteral("box ") + box->text().replace(QLatin1Char('\n'), QLatin1String("\\n")));
    const QString wanted = qEnvironmentVariable("CATALOGUE_ANSWER");
    for (QAbstractButton *button : box->buttons()) {
        if (button->text().remove(QLatin1Char('&')) == wanted) {
            button->click();
            return;
        }
    }
    box->defaultButton() ? box->defaultButton()->click() : box->reject();
}

void drive(Main *window)
{
    if (!window->isActiveWindow()) {
        window->activateWindow();
        return;
    }
    static bool done = false;
    if (std::exchange(done, true))
        return;
    if (qEnvironmentVariableIsSet("CATALOGUE_NAME")) {
        auto *name = window->findChild<QLineEdit *>(QStringLiteral("text_name"));
        name->setFocus(Qt::MouseFocusReason);
        name->setText(qEnvironmentVariable("CATALOGUE_NAME"));
        window->findChild<QAbstractItemView *>(QStringLiteral("list_projects"))->setFocus(Qt::MouseFocusReason);
        say(QStringLiteral("stored"));
    }
    if (qEnvironmentVariableIsSet("CATALOGUE_TYPING")) {
        auto *location = window->findChild<QLineEdit *>(QStringLiteral("text_location"));
        location->setFocus(Qt::MouseFocusReason);
        location->setText(qEnvironmentVariable("CATALOGUE_TYPING"));
        say(QStringLiteral("typing"));
    }
    if (qEnvironmentVariableIntValue("CATALOGUE_SAVE") == 1) {
        window->findChild<QPushButton *>(QStringLiteral("cmd_save"))->click();
        say(QStringLiteral("saved"));
        QCoreApplication::exit(0);
    }
}

void startDriving()
{
    auto *timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            answer(box);
            return;
        }
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *window = qobject_cast<Main *>(widget); window && window->isVisible())
                drive(window);
    });
    timer->start(20);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startDriving)

int main(int argc, char *argv[])
{
    return Application::runWindow(argc, argv);
}
