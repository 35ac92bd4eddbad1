#pragma once

#include <QString>

// Where the user's settings of the program are kept (recent folders, the folder opened last, the
// journals of unsaved edits in recovery/): ~/.config/project-catalogue/. Versions before kept them
// in ~/.config/project-catalogue.invalid/.
namespace SettingsFolder {

inline const QString EarlierFolderName = QStringLiteral("project-catalogue.invalid");

// The folder earlier versions used, beside the one of the settings now.
QString earlierFolder();

// Once, while the folder of the settings does not exist yet: carries the settings of `earlier`
// (its project-catalogue.conf) and its journals of unsaved edits over, leaving the rest of it as it
// is. True when it did.
bool carryOver(const QString &earlier);

} // namespace SettingsFolder
