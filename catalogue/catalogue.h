#pragma once

#include "projectinfo.h"

#include <QList>

#include <optional>

// The one in-memory catalogue of the run. Positions are 16-bit like the list rows they mirror;
// -1 stands for "nothing selected".
class Catalogue
{
public:
    static constexpr int MaxProjects = 32767;

    const QList<ProjectInfo> &Projects() const { return m_projects; }
    const ProjectInfo &at(qint16 position) const { return m_projects.at(position); }
    qint16 LastProject() const { return qint16(m_projects.size() - 1); }
    bool isFull() const { return m_projects.size() >= MaxProjects; }

    // What Add puts in: "New", three empty texts and one picture.
    static ProjectInfo newProject();

    // Both refuse (nullopt, nothing changed) when the catalogue already holds MaxProjects records.
    std::optional<qint16> AppendProject();
    std::optional<qint16> AddProject(qint16 selected);

    // Puts `project` at `position` (0 to LastProject() + 1), as Delete took it out; refuses (false,
    // nothing changed) at the limit or outside that range.
    bool InsertProject(qint16 position, const ProjectInfo &project);
    void DeleteProject(qint16 position);
    qint16 MoveProjectUp(qint16 position);
    qint16 MoveProjectDown(qint16 position);
    // `key` as fieldKey() names the field; any other key sets nothing.
    void SetProjectField(qint16 position, const QString &key, const QString &text);
    void setField(qint16 position, Field field, const QString &text);

    // The picture count has no key of its own: only the loader, Add, the first run and the
    // picture preview may set it.
    void SetPics(qint16 position, qint16 pics);

    // Replaces the whole catalogue; the loader's way of building it from nothing.
    void assign(QList<ProjectInfo> projects);

private:
    QList<ProjectInfo> m_projects;
};
