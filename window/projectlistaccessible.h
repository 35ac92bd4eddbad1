#pragma once

#include <QAccessibleWidget>
#include <QHash>

class ProjectList;

// What a screen reader is told about the project list: a list of as many entries as projects, each
// named after its project, the selected one marked so. The view is a one-column table for speed,
// which Qt would announce as a table of cells.
class ProjectListAccessible : public QAccessibleWidget
{
public:
    explicit ProjectListAccessible(ProjectList *list);
    ~ProjectListAccessible() override;

    // Makes every ProjectList announce itself through this class.
    static void install();

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    // After a rebuild each row may stand for another project: entries handed out before are
    // dropped, as Qt's own views do, so that screen readers ask again.
    void forgetEntries();

private:
    ProjectList *list() const;

    mutable QHash<int, QAccessible::Id> m_entries;
};

// One entry of the list: the row of one project.
class ProjectListEntryAccessible : public QAccessibleInterface
{
public:
    ProjectListEntryAccessible(ProjectList *list, int row);

    bool isValid() const override;
    QObject *object() const override;
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString &text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

    ProjectList *list() const { return m_list; }
    int row() const { return m_row; }

private:
    ProjectList *m_list;
    int m_row;
};
