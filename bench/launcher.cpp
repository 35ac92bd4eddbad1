// The program's window, started as the program starts it, that ends as soon as it has been painted
// once: the start-up and memory figures take its launch time and peak memory from outside. It ends
// at once, without tearing down, as closing the window would.
#include "application.h"
#include "mainwindow.h"

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
        if (event->type() == QEvent::Paint)
            QMetaObject::invokeMethod(
                this, [] { std::_Exit(0); }, Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    return Application::runWindow(argc, argv,
                                  [](Main &window) { window.installEventFilter(new QuitWhenShown(&window)); });
}
