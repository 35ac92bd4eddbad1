#include "catalogue.h"
#include "messageboxservice.h"
#include "projectsfile.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Project Catalogue"));
    Catalogue catalogue;
    MessageBoxService messages;
    LoadProjects(catalogue, messages);
    return 0;
}
