// The program's window, started as the program starts it, that ends as soon as it has been painted
// once: the start-up and memory figures take its launch time and peak memory from outside. It ends
// at once, without tearing down, as closing the window would.
#include "application.h"
#include "mainwindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>

#include <cstdlib>

namespace {

class QuitWhenShown : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && qobject_cast<Main *>(watched))
            QMetaObject::invokeMethod(
                this, [] { std::_Exit(0); }, Qt::QueuedConnection);
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
