#pragma once

#include <QString>

class Catalogue;
class MessageService;

inline const QString ProjectsFileName = QStringLiteral("projects.txt");

namespace ProjectsMessages {
inline const QString Creating = QStringLiteral("No existing file, creating projects.txt");
inline const QString SaveFailed =
    QStringLiteral("Not possible to Save Project Information\rCheck for write protection");
} // namespace ProjectsMessages

// NoProject: the file holds text, but no project could be read from it.
enum class ProjectsFileRead { Read, Missing, Unreadable, NoProject };

// Fills the catalogue from an existing file and creates nothing; what LoadProjects does before its
// first-run path, messages included. Missing leaves the catalogue empty and says nothing.
ProjectsFileRead ReadProjects(Catalogue &catalogue, MessageService &messages,
                              const QString &path = ProjectsFileName);

// Fills the catalogue from the file, or creates the file with the first-run record when there is
// none. A file that exists but cannot be read is left untouched and reported.
void LoadProjects(Catalogue &catalogue, MessageService &messages,
                  const QString &path = ProjectsFileName);

// Writes the whole catalogue; on failure tells the user and returns false, the old file intact.
bool SaveProjects(const Catalogue &catalogue, MessageService &messages,
                  const QString &path = ProjectsFileName);
