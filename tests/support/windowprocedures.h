#pragma once

#include "catalogue.h"
#include "mainwindow.h"
#include "messageservice.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

// The window's file procedures, LoadProjects and SaveProjects, run on `catalogue` with a window
// that is never shown, in the folder of `path` (a projects.txt): the window opens the file by its
// bare name there, as the program does in its catalogue folder.
namespace WindowProcedures {

template <typename Procedure>
auto runIn(const QString &path, Catalogue &catalogue, MessageService &messages, Procedure procedure)
{
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QFileInfo(path).path());
    Main window(catalogue, messages, QString());
    const auto result = procedure(window);
    QDir::setCurrent(previous);
    return result;
}

inline void loadProjects(Catalogue &catalogue, MessageService &messages, const QString &path)
{
    runIn(path, catalogue, messages, [](Main &window) {
        window.LoadProjects();
        return true;
    });
}

inline bool saveProjects(Catalogue &catalogue, MessageService &messages, const QString &path)
{
    return runIn(path, catalogue, messages, [](Main &window) { return window.SaveProjects(); });
}

} // namespace WindowProcedures
