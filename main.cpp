#include "catalogue.h"
#include "mainwindow.h"
#include "messageboxservice.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Project Management"));

    Catalogue catalogue;
    MessageBoxService messages;
    Main window(catalogue, messages,
                QCoreApplication::applicationDirPath() + QStringLiteral("/Thumbs"));
    messages.setParent(&window);
    // Any message of the start-up is shown before the window itself.
    window.StartUp();
    window.show();
    return app.exec();
}
