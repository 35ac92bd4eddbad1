#include "catalogueedit.h"

#include "catalogue.h"

#include <QDebug>

namespace {

bool holds(const Catalogue &catalogue, qint16 position)
{
    return position >= 0 && position <= catalogue.LastProject();
}

} // namespace

namespace {

bool setFieldAt(Catalogue &catalogue, qint16 position, Field field, const QString &text)
{
    if (!holds(catalogue, position))
        return false;
    catalogue.setField(position, field, text);
    return true;
}

bool removeAt(Catalogue &catalogue, qint16 position)
{
    if (!holds(catalogue, position))
        return false;
    catalogue.DeleteProject(position);
    return true;
}

bool swapAt(Catalogue &catalogue, qint16 position)
{
    if (!holds(catalogue, position) || position >= catalogue.LastProject())
        return false;
    catalogue.MoveProjectDown(position);
    return true;
}

} // namespace

CatalogueEdit CatalogueEdit::insert(qint16 position, const ProjectInfo &project)
{
    CatalogueEdit edit;
    edit.kind = Kind::Insert;
    edit.position = position;
    edit.project = project;
    return edit;
}

CatalogueEdit CatalogueEdit::remove(qint16 position, const ProjectInfo &project)
{
    CatalogueEdit edit = insert(position, project);
    edit.kind = Kind::Remove;
    return edit;
}

CatalogueEdit CatalogueEdit::swapWithNext(qint16 position)
{
    CatalogueEdit edit;
    edit.kind = Kind::SwapWithNext;
    edit.position = position;
    return edit;
}

CatalogueEdit CatalogueEdit::setField(qint16 position, Field field, const QString &before, const QString &after)
{
    CatalogueEdit edit;
    edit.kind = Kind::SetField;
    edit.position = position;
    edit.field = field;
    edit.before = before;
    edit.after = after;
    return edit;
}

bool CatalogueEdit::applyTo(Catalogue &catalogue) const
{
    switch (kind) {
    case Kind::Insert:
        return catalogue.InsertProject(position, project);
    case Kind::Remove:
        return removeAt(catalogue, position);
    case Kind::SwapWithNext:
        return swapAt(catalogue, position);
    case Kind::SetField:
        return setFieldAt(catalogue, position, field, after);
    }
    return false;
}

bool CatalogueEdit::revertIn(Catalogue &catalogue) const
{
    switch (kind) {
    case Kind::Insert:
        return removeAt(catalogue, position);
    case Kind::Remove:
        return catalogue.InsertProject(position, project);
    case Kind::SwapWithNext:
        return swapAt(catalogue, position);
    case Kind::SetField:
        // Only a field that still holds what the edit wrote is given back its old text.
        return holds(catalogue, position) && fieldText(catalogue.at(position), field) == after
            && setFieldAt(catalogue, position, field, before);
    }
    return false;
}

CatalogueEdit CatalogueEdit::inverse() const
{
    switch (kind) {
    case Kind::Insert:
        return remove(position, project);
    case Kind::Remove:
        return insert(position, project);
    case Kind::SwapWithNext:
        return swapWithNext(position);
    case Kind::SetField:
        break;
    }
    return setField(position, field, after, before);
}

bool operator==(const CatalogueEdit &a, const CatalogueEdit &b)
{
    return a.kind == b.kind && a.position == b.position && a.project == b.project && a.field == b.field
        && a.before == b.before && a.after == b.after && a.stateBefore == b.stateBefore && a.stateAfter == b.stateAfter
        && a.record == b.record;
}

QDebug operator<<(QDebug debug, const CatalogueEdit &edit)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "CatalogueEdit(" << int(edit.kind) << ", " << edit.position << ", " << edit.project << ", "
                    << fieldKey(edit.field) << ", " << edit.before << " -> " << edit.after << ')';
    return debug;
}
