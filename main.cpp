#include "catalogue.h"
#include "mainwindow.h"
#include "messageboxservice.h"

#include <QApplication>
#include <QEvent>

#include <cstdlib>

namespace {

// Measuring aid for the benchmark (CATALOGUE_QUIT_WHEN_SHOWN set): the process ends as soon as the
// window has been painted once, so that its launch time and peak memory can be taken from outside.
// It ends at once, without tearing down, as closing the window would.
class QuitWhenShown : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            QMetaObject::invokeMethod(this, [] { std::_Exit(0); }, Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Project Management"));

    Catalogue catalogue;
    MessageBoxService messages;
    Main window(catalogue, messages,
                QCoreApplication::applicationDirPath() + QStringLiteral("/Thumbs"));
    messages.setParent(&window);
    if (qEnvironmentVariableIsSet("CATALOGUE_QUIT_WHEN_SHOWN"))
        window.installEventFilter(new QuitWhenShown(&window));
    // Any message of the start-up is shown before the window itself.
    window.StartUp();
    window.show();
    return app.exec();
}
