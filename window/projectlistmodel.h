#pragma once

#include <QAbstractListModel>

class Catalogue;

// The project names as the list shows them. The number of rows changes only when the list is
// rebuilt; the names are read from the catalogue when the view asks for them, so a rebuild costs
// one reset, not a copy of every name. The window rebuilds the list after every change of the
// catalogue's names or order, before the list is shown again.
class ProjectListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit ProjectListModel(const Catalogue &catalogue, QObject *parent = nullptr);

    // Longer names are shown cut to this many characters and an ellipsis, far more than a row
    // holds.
    static constexpr qsizetype LongestShownName = 1000;

    void rebuild();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // The view asks for an index of every row whenever it lays the list out; the general checks
    // of the base class go through two virtual calls each time.
    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;

private:
    const Catalogue &m_catalogue;
    int m_rows = 0;
};
