#pragma once

#include <QListView>

// A single-selection list whose selected row is the current project. The user can move the
// selection but never clear it, and giving the list the focus never makes a row current by itself.
class ProjectList : public QListView
{
    Q_OBJECT

public:
    explicit ProjectList(QWidget *parent = nullptr);

    // -1 when no row is selected.
    int selectedRow() const;
    // Runs the selection-change handlers before it returns when the selection changes.
    void setSelectedRow(int row);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;
    void focusInEvent(QFocusEvent *event) override;
};
