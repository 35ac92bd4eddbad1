#include "projectlist.h"

#include <QFocusEvent>

ProjectList::ProjectList(QWidget *parent) : QListView(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
}

int ProjectList::selectedRow() const
{
    if (!selectionModel())
        return -1;
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty())
        return -1;
    return selection.first().top();
}

void ProjectList::setSelectedRow(int row)
{
    if (!selectionModel())
        return;
    const QModelIndex index = model()->index(row, 0);
    if (!index.isValid()) {
        selectionModel()->clearSelection();
        selectionModel()->clearCurrentIndex();
        return;
    }
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

QItemSelectionModel::SelectionFlags ProjectList::selectionCommand(const QModelIndex &index,
                                                                  const QEvent *event) const
{
    // Ctrl+click and Ctrl+Space would otherwise toggle the selected row off, and Ctrl+arrows would
    // move the current row away from the selected one.
    Q_UNUSED(event);
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    return QItemSelectionModel::ClearAndSelect;
}

void ProjectList::focusInEvent(QFocusEvent *event)
{
    const bool hadCurrent = currentIndex().isValid();
    QListView::focusInEvent(event);
    if (!hadCurrent && selectedRow() < 0 && currentIndex().isValid())
        selectionModel()->clearCurrentIndex();
}
