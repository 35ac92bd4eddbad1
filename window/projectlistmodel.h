#pragma once

#include <QAbstractListModel>
#include <QStringList>

class Catalogue;

// The project names as the list shows them. The names are taken from the catalogue only when the
// list is rebuilt, so between rebuilds the rows stay as they were, whatever the catalogue does.
class ProjectListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit ProjectListModel(const Catalogue &catalogue, QObject *parent = nullptr);

    void rebuild();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    const Catalogue &m_catalogue;
    QStringList m_names;
};
