#include "catalogue.h"

#include <utility>

std::optional<qint16> Catalogue::AppendProject()
{
    if (isFull())
        return std::nullopt;
    m_projects.append(ProjectInfo{});
    return LastProject();
}

std::optional<qint16> Catalogue::AddProject(qint16 selected)
{
    if (isFull())
        return std::nullopt;
    const qint16 position = qint16(selected + 1);
    m_projects.insert(position, newProject());
    return position;
}

ProjectInfo Catalogue::newProject()
{
    ProjectInfo created;
    created.Name = QStringLiteral("New");
    created.Pics = 1;
    return created;
}

bool Catalogue::InsertProject(qint16 position, const ProjectInfo &project)
{
    if (isFull() || position < 0 || position > LastProject() + 1)
        return false;
    m_projects.insert(position, project);
    return true;
}

void Catalogue::DeleteProject(qint16 position)
{
    if (position < 0 || position > LastProject())
        return;
    m_projects.removeAt(position);
}

qint16 Catalogue::MoveProjectUp(qint16 position)
{
    if (position <= 0 || position > LastProject())
        return position;
    m_projects.swapItemsAt(position - 1, position);
    return qint16(position - 1);
}

qint16 Catalogue::MoveProjectDown(qint16 position)
{
    if (position < 0 || position >= LastProject())
        return position;
    m_projects.swapItemsAt(position, position + 1);
    return qint16(position + 1);
}

void Catalogue::SetProjectField(qint16 position, const QString &key, const QString &text)
{
    if (const std::optional<Field> field = fieldForKey(key))
        setField(position, *field, text);
}

void Catalogue::setField(qint16 position, Field field, const QString &text)
{
    if (position >= 0 && position <= LastProject())
        fieldText(m_projects[position], field) = text;
}

void Catalogue::SetPics(qint16 position, qint16 pics)
{
    if (position >= 0 && position <= LastProject())
        m_projects[position].Pics = pics;
}

void Catalogue::assign(QList<ProjectInfo> projects)
{
    if (projects.size() > MaxProjects)
        projects.resize(MaxProjects);
    m_projects = std::move(projects);
}
