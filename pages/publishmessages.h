#pragma once

#include <QString>

// What Build Pages tells the user, in the window and on the command line alike.
namespace PublishMessages {
inline const QString PagesBuilt = QStringLiteral("Pages Built");
inline const QString PagesFailed =
    QStringLiteral("Not possible to Create Web Pages\rCheck for write protection");
} // namespace PublishMessages
