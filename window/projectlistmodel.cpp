#include "projectlistmodel.h"

#include "catalogue.h"

ProjectListModel::ProjectListModel(const Catalogue &catalogue, QObject *parent)
    : QAbstractListModel(parent), m_catalogue(catalogue)
{
}

void ProjectListModel::rebuild()
{
    beginResetModel();
    m_names.clear();
    const QList<ProjectInfo> &projects = m_catalogue.Projects();
    m_names.reserve(projects.size());
    for (const ProjectInfo &project : projects)
        m_names.append(project.Name);
    endResetModel();
}

int ProjectListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_names.size());
}

QVariant ProjectListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_names.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return m_names.at(index.row());
    return {};
}
