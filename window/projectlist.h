#pragma once

#include <QTableView>

// A single-selection list whose selected row is the current project. The user can move the
// selection but never clear it, and giving the list the focus never makes a row current by itself.
//
// A one-column table without headers or grid rather than a list view: a list view lays out every
// row again after each rebuild, while a table's rows all share one height and cost nothing until
// they are painted. With the catalogue's 32767 projects that is the difference on every name store.
// Screen readers are still told of a list (ProjectListAccessible).
class ProjectList : public QTableView
{
    Q_OBJECT

public:
    explicit ProjectList(QWidget *parent = nullptr);

    // -1 when no row is selected.
    int selectedRow() const;
    // Runs the selection-change handlers before it returns when the selection changes.
    void setSelectedRow(int row);

    void setModel(QAbstractItemModel *model) override;
    void reset() override;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index, const QEvent *event) const override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    // After rows came, went or moved, each entry a screen reader was given may stand for another project.
    void forgetAccessibleEntries();
};
