#include "projectlistaccessible.h"

#include "projectlist.h"

#include <QItemSelectionModel>

namespace {

QAccessibleInterface *createForProjectList(const QString &className, QObject *object)
{
    // Asked before Qt's own factory is asked for the base class, QTableView.
    if (className == QLatin1String("ProjectList") && object && object->isWidgetType())
        return new ProjectListAccessible(static_cast<ProjectList *>(object));
    return nullptr;
}

} // namespace

ProjectListAccessible::ProjectListAccessible(ProjectList *list) : QAccessibleWidget(list, QAccessible::List) {}

ProjectListAccessible::~ProjectListAccessible()
{
    forgetEntries();
}

void ProjectListAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(createForProjectList);
        return true;
    }();
    Q_UNUSED(installed);
}

ProjectList *ProjectListAccessible::list() const
{
    return static_cast<ProjectList *>(widget());
}

int ProjectListAccessible::childCount() const
{
    const QAbstractItemModel *model = list()->model();
    return model ? model->rowCount() : 0;
}

QAccessibleInterface *ProjectListAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (const QAccessible::Id id = m_entries.value(index))
        return QAccessible::accessibleInterface(id);
    auto *entry = new ProjectListEntryAccessible(list(), index);
    m_entries.insert(index, QAccessible::registerAccessibleInterface(entry));
    return entry;
}

int ProjectListAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const auto *entry = dynamic_cast<const ProjectListEntryAccessible *>(child);
    if (!entry || entry->list() != list() || !entry->isValid())
        return -1;
    return entry->row();
}

QAccessibleInterface *ProjectListAccessible::childAt(int x, int y) const
{
    const QWidget *viewport = list()->viewport();
    const QModelIndex index = list()->indexAt(viewport->mapFromGlobal(QPoint(x, y)));
    return index.isValid() ? child(index.row()) : nullptr;
}

QAccessibleInterface *ProjectListAccessible::focusChild() const
{
    const QModelIndex current = list()->currentIndex();
    return current.isValid() ? child(current.row()) : nullptr;
}

void ProjectListAccessible::forgetEntries()
{
    for (const QAccessible::Id id : std::as_const(m_entries))
        QAccessible::deleteAccessibleInterface(id);
    m_entries.clear();
}

ProjectListEntryAccessible::ProjectListEntryAccessible(ProjectList *list, int row) : m_list(list), m_row(row) {}

bool ProjectListEntryAccessible::isValid() const
{
    return m_list->model() && m_row < m_list->model()->rowCount();
}

QObject *ProjectListEntryAccessible::object() const
{
    return nullptr;
}

QWindow *ProjectListEntryAccessible::window() const
{
    return m_list->window()->windowHandle();
}

QAccessibleInterface *ProjectListEntryAccessible::parent() const
{
    return QAccessible::queryAccessibleInterface(m_list);
}

QAccessibleInterface *ProjectListEntryAccessible::child(int) const
{
    return nullptr;
}

int ProjectListEntryAccessible::childCount() const
{
    return 0;
}

int ProjectListEntryAccessible::indexOfChild(const QAccessibleInterface *) const
{
    return -1;
}

QAccessibleInterface *ProjectListEntryAccessible::childAt(int, int) const
{
    return nullptr;
}

QString ProjectListEntryAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || !isValid())
        return {};
    return m_list->model()->index(m_row, 0).data(Qt::AccessibleTextRole).toString();
}

void ProjectListEntryAccessible::setText(QAccessible::Text, const QString &)
{
    // Names are edited in text_name, never in the list.
}

QRect ProjectListEntryAccessible::rect() const
{
    if (!isValid())
        return {};
    const QRect shown = m_list->visualRect(m_list->model()->index(m_row, 0));
    return shown.translated(m_list->viewport()->mapToGlobal(QPoint(0, 0)));
}

QAccessible::Role ProjectListEntryAccessible::role() const
{
    return QAccessible::ListItem;
}

QAccessible::State ProjectListEntryAccessible::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    const QModelIndex index = m_list->model()->index(m_row, 0);
    state.selectable = true;
    state.focusable = true;
    state.selected = m_list->selectionModel() && m_list->selectionModel()->isSelected(index);
    state.focused = m_list->hasFocus() && m_list->currentIndex() == index;
    if (!m_list->viewport()->rect().intersects(m_list->visualRect(index))) {
        state.invisible = true;
        state.offscreen = true;
    }
    return state;
}
