#include "projectlistmodel.h"

#include "catalogue.h"
#include "catalogueedit.h"

ProjectListModel::ProjectListModel(const Catalogue &catalogue, QObject *parent)
    : QAbstractListModel(parent), m_catalogue(catalogue)
{}

void ProjectListModel::rebuild()
{
    beginResetModel();
    m_rows = int(m_catalogue.Projects().size());
    endResetModel();
}

void ProjectListModel::follow(const CatalogueEdit &edit, bool forward)
{
    const int row = edit.position;
    m_following = true;
    switch (edit.kind) {
    case CatalogueEdit::Kind::Insert:
    case CatalogueEdit::Kind::Remove:
        if (forward == (edit.kind == CatalogueEdit::Kind::Insert)) {
            beginInsertRows({}, row, row);
            ++m_rows;
            endInsertRows();
        } else {
            beginRemoveRows({}, row, row);
            --m_rows;
            endRemoveRows();
        }
        break;
    case CatalogueEdit::Kind::SwapWithNext:
        beginMoveRows({}, row, row, {}, row + 2);
        endMoveRows();
        break;
    case CatalogueEdit::Kind::SetField:
        if (edit.field == Field::Name)
            emit dataChanged(index(row, 0), index(row, 0), {Qt::DisplayRole, Qt::AccessibleTextRole});
        break;
    }
    m_following = false;
}

int ProjectListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant ProjectListModel::data(const QModelIndex &index, int role) const
{
    // Between a change of the catalogue and the rebuild that follows it a row may lie past its end.
    if (!index.isValid() || index.row() >= m_rows || index.row() >= m_catalogue.Projects().size())
        return {};
    const QString &name = m_catalogue.Projects().at(index.row()).Name;
    if (role == Qt::AccessibleTextRole)
        return name;
    if (role == Qt::DisplayRole) {
        // A row shows a few dozen characters and elides the rest, but eliding lays out the whole
        // text first: a megabyte-long name took a second at every paint of its row.
        if (name.size() > LongestShownName)
            return name.left(LongestShownName) + QChar(0x2026);
        return name;
    }
    return {};
}

QModelIndex ProjectListModel::index(int row, int column, const QModelIndex &parent) const
{
    if (row < 0 || row >= m_rows || column != 0 || parent.isValid())
        return {};
    return createIndex(row, column);
}
