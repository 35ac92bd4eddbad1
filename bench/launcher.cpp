// The program's window, started as the program starts it, that ends as soon as it has been painted
// once: the start-up and memory figures take its launch time and peak memory from outside. It ends
// at once, without tearing down, as closing the window would. With CATALOGUE_BENCH_STEPS=N it
// first deletes the selected project N times, leaving N steps on the undo stack.
#include "application.h"
#include "mainwindow.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QPushButton>

#include <cstdlib>

namespace {

class QuitWhenShown : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && qobject_cast<Main *>(watched)) {
            auto *window = static_cast<Main *>(watched);
            QMetaObject::invokeMethod(
                this,
                [window] {
                    auto *deleteButton = window->findChild<QPushButton *>(QStringLiteral("cmd_delete"));
                    auto *list = window->findChild<QAbstractItemView *>(QStringLiteral("list_projects"));
                    // The last project stays: deleting from an empty list would show a message.
                    for (int i = qEnvironmentVariableIntValue("CATALOGUE_BENCH_STEPS");
                         i > 0 && deleteButton && list && list->model()->rowCount() > 1; --i)
                        deleteButton->click();
                    std::_Exit(0);
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }
};

// Watches every event of the application, from the moment the program makes it.
void watchForTheWindow()
{
    QCoreApplication::instance()->installEventFilter(new QuitWhenShown(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchForTheWindow)

int main(int argc, char *argv[])
{
    return Application::runWindow(argc, argv);
}
