#pragma once

#include <QAbstractListModel>

class Catalogue;
struct CatalogueEdit;

// The project names as the list shows them. The names are read from the catalogue when the view
// asks for them; the number of rows is the model's own, so that the model follows a change of the
// catalogue after it is made: an edit by the row signals of what it changed, which the selection
// follows as well, and a catalogue read afresh by a rebuild.
class ProjectListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit ProjectListModel(const Catalogue &catalogue, QObject *parent = nullptr);

    // Longer names are shown cut to this many characters and an ellipsis, far more than a row
    // holds.
    static constexpr qsizetype LongestShownName = 1000;

    void rebuild();
    // After `edit` was made (`forward`) or taken back in the catalogue.
    void follow(const CatalogueEdit &edit, bool forward);
    // Between a row signal's beginning and its end, when the rows are not yet the catalogue's.
    bool following() const { return m_following; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // The view asks for an index of every row whenever it lays the list out; the general checks
    // of the base class go through two virtual calls each time.
    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;

private:
    const Catalogue &m_catalogue;
    int m_rows = 0;
    bool m_following = false;
};
