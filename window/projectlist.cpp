#include "projectlist.h"

#include "projectlistaccessible.h"

#include <QAccessible>

#include <QFocusEvent>
#include <QHeaderView>

ProjectList::ProjectList(QWidget *parent) : QTableView(parent)
{
    ProjectListAccessible::install();
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the list, as it leaves any list.
    setTabKeyNavigation(false);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    horizontalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();

    // Rows as high as a list view makes them for one line of text.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("Xg");
    const int rowHeight = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).height();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
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

QItemSelectionModel::SelectionFlags ProjectList::selectionCommand(const QModelIndex &index, const QEvent *event) const
{
    // Ctrl+click and Ctrl+Space would otherwise toggle the selected row off, and Ctrl+arrows would
    // move the current row away from the selected one.
    Q_UNUSED(event);
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    return QItemSelectionModel::ClearAndSelect;
}

QModelIndex ProjectList::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    // In a table Home and End go to the ends of the row; in a list, to the first and last rows.
    if (cursorAction == MoveHome || cursorAction == MoveEnd)
        modifiers |= Qt::ControlModifier;
    return QTableView::moveCursor(cursorAction, modifiers);
}

void ProjectList::focusInEvent(QFocusEvent *event)
{
    const bool hadCurrent = currentIndex().isValid();
    QTableView::focusInEvent(event);
    if (!hadCurrent && selectedRow() < 0 && currentIndex().isValid())
        selectionModel()->clearCurrentIndex();
}

void ProjectList::setModel(QAbstractItemModel *model)
{
    QTableView::setModel(model);
    if (!model)
        return;
    connect(model, &QAbstractItemModel::rowsInserted, this, &ProjectList::forgetAccessibleEntries);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &ProjectList::forgetAccessibleEntries);
    connect(model, &QAbstractItemModel::rowsMoved, this, &ProjectList::forgetAccessibleEntries);
}

void ProjectList::reset()
{
    QTableView::reset();
    forgetAccessibleEntries();
}

void ProjectList::forgetAccessibleEntries()
{
    if (QAccessible::isActive()) {
        if (auto *announced = dynamic_cast<ProjectListAccessible *>(QAccessible::queryAccessibleInterface(this)))
            announced->forgetEntries();
    }
}
